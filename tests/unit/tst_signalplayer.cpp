#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "tests/memcheck/processmemory.h"
#include "toolkit/modulesignalplayer.h"
#include "toolkit/signalplayer.h"
#include "toolkit/wavfile.h"
#include "toolkit/wavstream.h"

namespace {

// A 16-bit mono PCM file of `seconds` of a square wave; with `headerSeconds`, its header
// promises that much sound, and the file is to be made that long (sparse, silent) after it.
QByteArray pcmWav(double seconds, quint32 rate = 22050, double headerSeconds = 0,
                  qint16 level = 3000) {
    const quint32 samples = static_cast<quint32>(seconds * rate);
    QByteArray data(static_cast<qsizetype>(samples) * 2, '\0');
    for (quint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>((i / 25) % 2 ? level : -level, data.data() + 2 * i);
    const quint32 dataBytes =
        headerSeconds > 0 ? static_cast<quint32>(headerSeconds * rate) * 2 : quint32(data.size());

    QByteArray wav;
    auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wav.append(b, 4);
    };
    auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    return wav + data;
}

// The whole of a WAV file as the player's reader reads it, block by block.
struct ReadBack {
    int rate = 0;
    int channels = 0;
    std::vector<float> samples;
    qsizetype frames() const { return channels ? qsizetype(samples.size()) / channels : 0; }
};
std::optional<ReadBack> readBack(const QString &path) {
    const std::unique_ptr<WavFile> file = WavFile::open(path);
    if (!file)
        return std::nullopt;
    ReadBack out{file->rate(), file->channels(), {}};
    std::vector<float> block(1000 * file->channels());
    while (const qint64 read = file->read(block.data(), 1000))
        out.samples.insert(out.samples.end(), block.begin(), block.begin() + read * out.channels);
    return out;
}

qint64 residentKb() {
    return ProcessMemory::now().residentKb;
}

// The tick's commands: the file name and "Open"; returns how long they held the caller.
qint64 tickMs(SignalPlayerInterface &player, const QString &path) {
    QElapsedTimer held;
    held.start();
    player.setFileName(path);
    player.command(QStringLiteral("Open"));
    return held.elapsed();
}

QByteArray noise(int size) {
    QByteArray bytes(size, '\0');
    quint32 x = 2463534242u;
    for (char &c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x);
    }
    return bytes;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

// Long enough for the sound thread to finish what it was given.
constexpr int settleMs = 200;
// What the sound thread may take for a file it turns down, however large.
constexpr int refuseMs = 1000;

constexpr double toneSeconds = 0.4;
constexpr int recordRate = 22050;

// A tone of `seconds` that ends at full strength, as sox writes it with the given options.
QByteArray soxTone(const QStringList &format, int rate, int channels,
                   double seconds = toneSeconds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              QStringList{QStringLiteral("-n"), QStringLiteral("-r"), QString::number(rate),
                          QStringLiteral("-c"), QString::number(channels)} +
                  format +
                  QStringList{path, QStringLiteral("synth"), QString::number(seconds),
                              QStringLiteral("sine"), QStringLiteral("440"), QStringLiteral("vol"),
                              QStringLiteral("0.5")});
    if (!sox.waitForFinished(10000) || sox.exitCode() != 0)
        return {};
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// `wav` with a chunk of `size` bytes put in just before its "data" chunk.
QByteArray withChunkBeforeData(const QByteArray &wav, int size) {
    const qsizetype data = wav.indexOf("data", 12);
    QByteArray chunk("junk", 4);
    char b[4];
    qToLittleEndian<quint32>(size, b);
    chunk.append(b, 4);
    chunk.append(QByteArray(size + (size & 1), 'x'));
    QByteArray out = wav.left(data) + chunk + wav.mid(data);
    qToLittleEndian<quint32>(out.size() - 8, out.data() + 4);
    return out;
}

// The loudness of 10 ms windows of a 16-bit mono recording; returns how long the sound lasted
// from its first loud window to its last, in seconds.
double heardSeconds(const QByteArray &raw, int rate) {
    const qsizetype window = rate / 100;
    const qsizetype samples = raw.size() / 2;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype w = 0; (w + 1) * window <= samples; ++w) {
        double sum = 0;
        for (qsizetype i = w * window; i < (w + 1) * window; ++i) {
            const double v = qFromLittleEndian<qint16>(raw.constData() + 2 * i) / 32768.0;
            sum += v * v;
        }
        if (std::sqrt(sum / window) > 0.05) {
            if (first < 0)
                first = w;
            last = w;
        }
    }
    return first < 0 ? 0 : (last - first + 1) / 100.0;
}

} // namespace

class TestSignalPlayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanupTestCase();
    void badFilesAreSilent_data();
    void badFilesAreSilent();
    void fifoNeverHoldsUpATick();
    void openForTheOpenFileDoesNotReload();
    void anotherFileIsLoaded();
    void missingFileIsFoundOnceItAppears();
    void unknownVerbsAreDropped_data();
    void unknownVerbsAreDropped();
    void commandsWithoutAFileDoNothing();
    void destroyedWhilePlaying();
    void everyPcmShapeIsHeard_data();
    void everyPcmShapeIsHeard();
    void stopSilencesAtOnce();
    void hourLongFilePlaysInFlatMemory();
    void fileStillBeingCopiedIsHeardOnceComplete();
    void convertedForAnOutputThatAsksForIt_data();
    void convertedForAnOutputThatAsksForIt();
    void moduleIsLoadedAtTheFirstCommand_data();
    void moduleIsLoadedAtTheFirstCommand();
    void silentServerNeverHoldsTheGui();
    void soundLayerLinesAreQuiet();

private:
    // The recording's length in bytes now, once the recorder runs; -1 when there is no sound
    // server to record (EIGO_TEST_SINK_MONITOR names its monitor).
    qint64 recordingMark();
    // How long the sound heard since `mark` lasted, from its first loud 10 ms to its last.
    double heardSince(qint64 mark);

    QTemporaryDir dir_;
    std::unique_ptr<QProcess> recorder_;
};

void TestSignalPlayer::init() {
    QVERIFY(dir_.isValid());
    // Any console line from the player or the sound layer below it fails the test.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void TestSignalPlayer::cleanupTestCase() {
    if (recorder_) {
        recorder_->terminate();
        recorder_->waitForFinished(5000);
    }
}

qint64 TestSignalPlayer::recordingMark() {
    const QString monitor = qEnvironmentVariable("EIGO_TEST_SINK_MONITOR");
    if (monitor.isEmpty())
        return -1;
    // One recording for all: the recorder takes a second or two to begin.
    if (!recorder_) {
        recorder_ = std::make_unique<QProcess>();
        recorder_->setStandardOutputFile(dir_.filePath(QStringLiteral("heard.raw")));
        recorder_->start(QStringLiteral("parecord"),
                         {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                          QStringLiteral("--rate=%1").arg(recordRate),
                          QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"),
                          QStringLiteral("-d"), monitor});
        if (!recorder_->waitForStarted())
            return -1;
    }
    QFile raw(dir_.filePath(QStringLiteral("heard.raw")));
    QElapsedTimer waited;
    waited.start();
    while (raw.size() <= recordRate / 5 && waited.elapsed() < 5000)
        QTest::qWait(20);
    return raw.size() & ~qint64(1);
}

double TestSignalPlayer::heardSince(qint64 mark) {
    QFile raw(dir_.filePath(QStringLiteral("heard.raw")));
    if (!raw.open(QIODevice::ReadOnly) || !raw.seek(mark))
        return -1;
    return heardSeconds(raw.readAll(), recordRate);
}

void TestSignalPlayer::badFilesAreSilent_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::addColumn<qint64>("sparseSize");
    QTest::addColumn<int>("loads");
    const QByteArray good = pcmWav(0.5);
    const qint64 whole = 0;
    QTest::newRow("missing") << QByteArray() << false << whole << 0;
    QTest::newRow("empty") << QByteArray() << true << whole << 0;
    QTest::newRow("header cut short") << good.left(30) << true << whole << 0;
    QTest::newRow("samples cut short") << good.left(44 + 101) << true << whole << 0;
    QTest::newRow("noise") << noise(4000) << true << whole << 0;
    QTest::newRow("good header, noise after") << good.left(36) + noise(3000) << true << whole << 0;
    QByteArray zeroRate = good;
    qToLittleEndian<quint32>(0, zeroRate.data() + 24);
    qToLittleEndian<quint32>(0, zeroRate.data() + 28);
    QTest::newRow("zero sample rate") << zeroRate << true << whole << 0;
    QByteArray hugeData = good.left(44);
    qToLittleEndian<quint32>(0x7fffffff, hugeData.data() + 40);
    QTest::newRow("data size past the end") << hugeData << true << whole << 0;
    // Turned down from the first bytes, however large: a preallocated download, say.
    const qint64 gigabyte = qint64(1) << 30;
    QTest::newRow("1 GB of zeros") << QByteArray() << true << gigabyte << 0;
    QByteArray riffOnly = good.left(12);
    qToLittleEndian<quint32>(quint32(gigabyte - 8), riffOnly.data() + 4);
    QTest::newRow("1 GB of zeros behind RIFF/WAVE") << riffOnly << true << gigabyte << 0;
    QByteArray rifx = good;
    rifx.replace(0, 4, "RIFX");
    QTest::newRow("not RIFF") << rifx << true << whole << 0;
    QByteArray avi = good;
    avi.replace(8, 4, "AVI ");
    QTest::newRow("RIFF but not WAVE") << avi << true << whole << 0;
    // With no sound server in the test environment even a good file cannot be heard.
    QTest::newRow("good file") << good << true << whole << 1;
    // Other chunks may stand between the format and the samples.
    QByteArray listed = good.left(36) + QByteArray("LIST\x04\0\0\0abcd", 12) + good.mid(36);
    qToLittleEndian<quint32>(listed.size() - 8, listed.data() + 4);
    QTest::newRow("good file with a LIST chunk") << listed << true << whole << 1;
    // Valid: the odd-sized chunk is followed by its pad byte.
    QByteArray padded = good.left(36) + QByteArray("LIST\x03\0\0\0abc\0", 12) + good.mid(36);
    qToLittleEndian<quint32>(padded.size() - 8, padded.data() + 4);
    QTest::newRow("odd-sized chunk before the samples") << padded << true << whole << 1;
    const QByteArray aiff = soxTone({QStringLiteral("-t"), QStringLiteral("aiff")}, 22050, 1);
    const QByteArray alaw = soxTone({QStringLiteral("-e"), QStringLiteral("a-law")}, 8000, 1);
    QVERIFY2(!aiff.isEmpty() && !alaw.isEmpty(), "sox made no file");
    QTest::newRow("another kind of sound file") << aiff << true << whole << 0;
    QTest::newRow("a-law samples") << alaw << true << whole << 0;
}

// Whatever the file, the full command sequence of a run returns and prints nothing; a damaged
// file never reaches the sound layer and is turned down at once, however large, and a player
// made afterwards can still be torn down.
void TestSignalPlayer::badFilesAreSilent() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    QFETCH(qint64, sparseSize);
    QFETCH(int, loads);
    const QString path = create ? writeFile(dir_, QStringLiteral("Zikan.wav"), bytes)
                                : dir_.filePath(QStringLiteral("absent.wav"));
    QVERIFY(!path.isEmpty());
    if (sparseSize)
        QVERIFY(QFile::resize(path, sparseSize));

    {
        SignalPlayer player;
        QElapsedTimer looked;
        looked.start();
        for (int tick = 0; tick < 3; ++tick)
            tickMs(player, path);
        QTRY_VERIFY_WITH_TIMEOUT(player.idle(), refuseMs);
        QVERIFY2(looked.elapsed() < refuseMs, qPrintable(QString::number(looked.elapsed())));
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTest::qWait(settleMs);
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTRY_VERIFY(player.idle());
        QCOMPARE(player.loadCount(), loads);
    }
    QFile::remove(path);

    const QString other = writeFile(dir_, QStringLiteral("other.wav"), pcmWav(0.2));
    QVERIFY(!other.isEmpty());
    SignalPlayer next;
    tickMs(next, other);
    QTest::qWait(settleMs);
}

// A FIFO named Zikan.wav, there from the start or renamed onto a good file between two ticks,
// holds up neither the tick nor the sound thread, which still plays the file it had.
void TestSignalPlayer::fifoNeverHoldsUpATick() {
    const QString path = dir_.filePath(QStringLiteral("fifo.wav"));
    const QString fifo = dir_.filePath(QStringLiteral("waiting"));
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    SignalPlayer player;
    QVERIFY(tickMs(player, path) < 50);
    QTRY_VERIFY_WITH_TIMEOUT(player.idle(), refuseMs);
    QCOMPARE(player.loadCount(), 0);

    QVERIFY(QFile::remove(path));
    QCOMPARE(writeFile(dir_, QStringLiteral("fifo.wav"), pcmWav(0.3)), path);
    QVERIFY(tickMs(player, path) < 50);
    QTRY_COMPARE_WITH_TIMEOUT(player.loadCount(), 1, refuseMs);
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(::rename(QFile::encodeName(fifo).constData(), QFile::encodeName(path).constData()) ==
            0);
    QVERIFY(tickMs(player, path) < 50);
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    QTRY_VERIFY_WITH_TIMEOUT(player.idle(), refuseMs);
    QCOMPARE(player.loadCount(), 1);
}

// "Open" comes every second; the file that is already open is not loaded again.
void TestSignalPlayer::openForTheOpenFileDoesNotReload() {
    const QString path = writeFile(dir_, QStringLiteral("a.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    for (int tick = 0; tick < 60; ++tick)
        tickMs(player, path);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 1);
    QCOMPARE(player.openFileName(), path);
}

// A different file name, or another file put in its place, is a different file: "Open" loads it.
void TestSignalPlayer::anotherFileIsLoaded() {
    const QString first = writeFile(dir_, QStringLiteral("first.wav"), pcmWav(0.3));
    const QString second = writeFile(dir_, QStringLiteral("second.wav"), pcmWav(0.4));
    const QString third = writeFile(dir_, QStringLiteral("third.wav"), pcmWav(0.4));
    QVERIFY(!first.isEmpty() && !second.isEmpty() && !third.isEmpty());
    SignalPlayer player;
    tickMs(player, first);
    tickMs(player, second);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 2);
    QCOMPARE(player.openFileName(), second);
    // Same size, and the same time to the second: still another file.
    QVERIFY(QFile::remove(second) && QFile::rename(third, second));
    tickMs(player, second);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 3);
}

// A missing file is not taken as open, so it is loaded once it has been put in place.
void TestSignalPlayer::missingFileIsFoundOnceItAppears() {
    const QString path = dir_.filePath(QStringLiteral("later.wav"));
    QFile::remove(path);
    SignalPlayer player;
    tickMs(player, path);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 0);
    QVERIFY(player.openFileName().isEmpty());

    QCOMPARE(writeFile(dir_, QStringLiteral("later.wav"), pcmWav(0.3)), path);
    player.command(QStringLiteral("Open"));
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 1);
}

void TestSignalPlayer::unknownVerbsAreDropped_data() {
    QTest::addColumn<QString>("verb");
    QTest::newRow("empty") << QString();
    QTest::newRow("Stop") << QStringLiteral("Stop");
    QTest::newRow("Close") << QStringLiteral("Close");
    QTest::newRow("Open with a blank") << QStringLiteral("Open ");
    QTest::newRow("non-ASCII") << QStringLiteral("再生");
}

// A verb the player does not know, or one that opens nothing, neither opens the file nor prints
// anything.
void TestSignalPlayer::unknownVerbsAreDropped() {
    QFETCH(QString, verb);
    const QString path = writeFile(dir_, QStringLiteral("v.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    player.setFileName(path);
    player.command(verb);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 0);
    player.command(QStringLiteral("Open"));
    player.command(verb);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 1);
}

// "Prev", "Play" and "Stop" before any file, and "Open" with no file name, are harmless.
void TestSignalPlayer::commandsWithoutAFileDoNothing() {
    SignalPlayer player;
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    player.command(QStringLiteral("Stop"));
    player.command(QStringLiteral("Open"));
    player.setFileName(QString());
    player.command(QStringLiteral("Open"));
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 0);
}

// The window may close while the signal plays; tearing the player down then is safe.
void TestSignalPlayer::destroyedWhilePlaying() {
    const QString path = writeFile(dir_, QStringLiteral("long.wav"), pcmWav(2.0));
    QVERIFY(!path.isEmpty());
    {
        SignalPlayer player;
        tickMs(player, path);
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTest::qWait(settleMs);
    }
    QTest::qWait(50);
}

void TestSignalPlayer::everyPcmShapeIsHeard_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<double>("seconds");
    auto tone = [](QStringList format, int rate, int channels, double seconds = toneSeconds) {
        return soxTone(format, rate, channels, seconds);
    };
    const QString b = QStringLiteral("-b");
    const QString e = QStringLiteral("-e");
    const QString flt = QStringLiteral("floating-point");
    const double t = toneSeconds;
    QTest::newRow("8-bit, mono, 8000 Hz")
        << tone({b, "8", e, "unsigned-integer"}, 8000, 1) << 8000 << 1 << t;
    QTest::newRow("16-bit, stereo, 44100 Hz") << tone({b, "16"}, 44100, 2) << 44100 << 2 << t;
    QTest::newRow("16-bit, mono, 11025 Hz") << tone({b, "16"}, 11025, 1) << 11025 << 1 << t;
    // sox writes more than 16 bits as WAVE_FORMAT_EXTENSIBLE; "wavpcm" forces the plain tags.
    QTest::newRow("24-bit, mono, 48000 Hz, extensible")
        << tone({b, "24"}, 48000, 1) << 48000 << 1 << t;
    QTest::newRow("24-bit, stereo, 22050 Hz, plain")
        << tone({"-t", "wavpcm", b, "24"}, 22050, 2) << 22050 << 2 << t;
    QTest::newRow("32-bit integer, stereo, 22050 Hz, extensible")
        << tone({b, "32", e, "signed-integer"}, 22050, 2) << 22050 << 2 << t;
    QTest::newRow("32-bit float, mono, 44100 Hz, extensible")
        << tone({b, "32", e, flt}, 44100, 1) << 44100 << 1 << t;
    QTest::newRow("32-bit float, mono, 16000 Hz, plain")
        << tone({"-t", "wavpcm", b, "32", e, flt}, 16000, 1) << 16000 << 1 << t;
    QTest::newRow("64-bit float, stereo, 96000 Hz")
        << tone({b, "64", e, flt}, 96000, 2) << 96000 << 2 << t;
    // Outputs used to drop most of such a stream.
    QTest::newRow("2 s, 16-bit, 8 channels, 384000 Hz")
        << tone({b, "16"}, 384000, 8, 2.0) << 384000 << 8 << 2.0;
    const QByteArray plain = tone({b, "16"}, 22050, 1);
    // Metadata between the format and the samples: 16,300 bytes used to play, 16,400 not.
    QTest::newRow("16,400-byte chunk before the samples")
        << withChunkBeforeData(plain, 16400) << 22050 << 1 << t;
    QTest::newRow("65,537-byte chunk before the samples")
        << withChunkBeforeData(plain, 65537) << 22050 << 1 << t;
    // A 16-bit "data" chunk of odd length: half a sample at the end, and the pad byte.
    QByteArray odd = plain + QByteArray(2, '\0');
    const qsizetype data = odd.indexOf("data", 12);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(odd.constData() + data + 4) + 1,
                             odd.data() + data + 4);
    qToLittleEndian<quint32>(odd.size() - 8, odd.data() + 4);
    QTest::newRow("16-bit data of odd length") << odd << 22050 << 1 << t;
}

// Every PCM or float WAV is read whole, to its last sample, and played to its end. With a sound
// server to record, the whole tone must be heard.
void TestSignalPlayer::everyPcmShapeIsHeard() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(double, seconds);
    QVERIFY2(!bytes.isEmpty(), "sox made no file");
    const QString path = writeFile(dir_, QStringLiteral("shape.wav"), bytes);
    QVERIFY(!path.isEmpty());
    const std::optional<ReadBack> sound = readBack(path);
    QVERIFY(sound);
    QCOMPARE(sound->rate, rate);
    QCOMPARE(sound->channels, channels);
    QVERIFY2(qAbs(sound->frames() - qRound(seconds * rate)) <= 1,
             qPrintable(QString::number(sound->frames())));
    // The tone is at half strength from the first sample to the last.
    float peak = 0;
    for (float v : sound->samples)
        peak = std::max(peak, std::abs(v));
    QVERIFY2(peak > 0.45f && peak < 0.55f, qPrintable(QString::number(peak)));
    float tailPeak = 0;
    for (auto i = sound->samples.end() - rate / 200 * channels; i != sound->samples.end(); ++i)
        tailPeak = std::max(tailPeak, std::abs(*i));
    QVERIFY2(tailPeak > 0.3f, qPrintable(QString::number(tailPeak)));

    SignalPlayer player;
    tickMs(player, path);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 1);
    const qint64 mark = recordingMark();
    if (mark < 0)
        return;
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    QTest::qWait(int(seconds * 1000) + 700);
    const double heard = heardSince(mark);
    QVERIFY2(heard > seconds * 0.95 - 0.03 && heard < seconds * 1.05 + 0.05,
             qPrintable(QStringLiteral("heard %1 s of a %2 s tone").arg(heard).arg(seconds)));
}

// "Stop", as the exam window sends it when it closes, silences a signal at once.
void TestSignalPlayer::stopSilencesAtOnce() {
    const QString path = writeFile(dir_, QStringLiteral("stop.wav"), pcmWav(3.0, 22050, 0, 16000));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    tickMs(player, path);
    const qint64 mark = recordingMark();
    if (mark < 0)
        QSKIP("no sound server to record");
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    QTest::qWait(500);
    player.command(QStringLiteral("Stop"));
    QTest::qWait(1500);
    const double heard = heardSince(mark);
    QVERIFY2(heard > 0.3 && heard < 0.7, qPrintable(QStringLiteral("heard %1 s").arg(heard)));
}

// A signal an hour long (sparse: a short tone, then silence) plays with the memory of a short one.
void TestSignalPlayer::hourLongFilePlaysInFlatMemory() {
    const QByteArray head = pcmWav(0.5, 44100, 3600, 16000);
    const QString path = writeFile(dir_, QStringLiteral("hour.wav"), head);
    QVERIFY(!path.isEmpty());
    QVERIFY(QFile::resize(path, 44 + qint64(3600) * 44100 * 2));
    const qint64 mark = recordingMark();
    if (mark < 0)
        QSKIP("no sound server to record");
    const qint64 before = residentKb();
    SignalPlayer player;
    tickMs(player, path);
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    qint64 peak = before;
    for (int i = 0; i < 30; ++i) {
        QTest::qWait(50);
        peak = std::max(peak, residentKb());
    }
    QVERIFY2(
        peak - before < 20000,
        qPrintable(QStringLiteral("resident %1 kB before, %2 kB playing").arg(before).arg(peak)));
    QCOMPARE(player.loadCount(), 1);
    const double heard = heardSince(mark);
    QVERIFY2(heard > 0.4, qPrintable(QStringLiteral("heard %1 s").arg(heard)));
}

// A file still being copied when it is first opened is refused, and read again, whole, at the
// next "Open" once the rest is there.
void TestSignalPlayer::fileStillBeingCopiedIsHeardOnceComplete() {
    const QByteArray whole = pcmWav(2.0);
    const QString path = writeFile(dir_, QStringLiteral("copying.wav"), whole.left(60000));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    tickMs(player, path);
    tickMs(player, path);
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 0);

    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    QCOMPARE(f.write(whole.mid(60000)), whole.size() - 60000);
    f.close();
    player.command(QStringLiteral("Open"));
    player.command(QStringLiteral("Open"));
    QTRY_VERIFY(player.idle());
    QCOMPARE(player.loadCount(), 1);
    const std::optional<ReadBack> sound = readBack(path);
    QVERIFY(sound);
    QCOMPARE(sound->frames(), 44100);
}

void TestSignalPlayer::convertedForAnOutputThatAsksForIt_data() {
    QTest::addColumn<int>("fromRate");
    QTest::addColumn<int>("fromChannels");
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("sampleFormat");
    QTest::newRow("8000 Hz mono to 48000 Hz stereo, 16-bit")
        << 8000 << 1 << 48000 << 2 << int(QAudioFormat::Int16);
    QTest::newRow("44100 Hz stereo to 22050 Hz mono, float")
        << 44100 << 2 << 22050 << 1 << int(QAudioFormat::Float);
    QTest::newRow("22050 Hz mono, 8-bit") << 22050 << 1 << 22050 << 1 << int(QAudioFormat::UInt8);
    QTest::newRow("11025 Hz stereo to 44100 Hz stereo, 32-bit")
        << 11025 << 2 << 44100 << 2 << int(QAudioFormat::Int32);
    QTest::newRow("384000 Hz, 8 channels to 48000 Hz stereo, float")
        << 384000 << 8 << 48000 << 2 << int(QAudioFormat::Float);
}

// Where the output will not take the file's own format, the samples are converted, block by
// block, to what it asks for: the same length of time, the same strength, every channel filled,
// and the silence asked for after them.
void TestSignalPlayer::convertedForAnOutputThatAsksForIt() {
    QFETCH(int, fromRate);
    QFETCH(int, fromChannels);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, sampleFormat);
    const QString path =
        writeFile(dir_, QStringLiteral("convert.wav"),
                  soxTone({QStringLiteral("-b"), QStringLiteral("16")}, fromRate, fromChannels));
    QVERIFY(!path.isEmpty());
    const std::unique_ptr<WavFile> file = WavFile::open(path);
    QVERIFY(file);
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::SampleFormat(sampleFormat));
    const int silence = rate / 10;
    WavStream stream(*file, format, silence);
    QByteArray bytes;
    // Small reads, as an output makes them, and then the whole once more after a rewind.
    char chunk[1000];
    while (const qint64 read = stream.read(chunk, sizeof chunk))
        bytes.append(chunk, read);
    stream.rewind();
    QCOMPARE(stream.readAll(), bytes);
    QCOMPARE(bytes.size() % format.bytesPerFrame(), 0);
    const qsizetype frames = bytes.size() / format.bytesPerFrame() - silence;
    QVERIFY2(qAbs(frames - qRound(toneSeconds * rate)) <= 1, qPrintable(QString::number(frames)));
    auto sampleAt = [&](qsizetype frame, int c) {
        return format.normalizedSampleValue(bytes.constData() + frame * format.bytesPerFrame() +
                                            c * format.bytesPerSample());
    };
    for (int c = 0; c < channels; ++c) {
        float peak = 0;
        for (qsizetype i = 0; i < frames; ++i)
            peak = std::max(peak, std::abs(sampleAt(i, c)));
        QVERIFY2(peak > 0.45f && peak < 0.55f,
                 qPrintable(QStringLiteral("channel %1: %2").arg(c).arg(peak)));
        for (qsizetype i = frames; i < frames + silence; ++i)
            QVERIFY(std::abs(sampleAt(i, c)) < 0.01f);
    }
}

void TestSignalPlayer::moduleIsLoadedAtTheFirstCommand_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("loads");
    QTest::newRow("module beside the program") << QStringLiteral("eigo-exam-sound.so") << true;
    QTest::newRow("no module") << QString() << false;
    QTest::newRow("without its suffix") << QStringLiteral("eigo-exam-sound") << false;
    QTest::newRow("with a prefix") << QStringLiteral("libeigo-exam-sound.so") << false;
    QTest::newRow("a FIFO in its place") << QStringLiteral("fifo") << false;
}

// The program's player loads the sound module, by exactly its own name, at the first command
// other than "Stop", and not before; without the module every command is dropped without a
// word. The folder is named through a handle, as for a folder whose name is not UTF-8.
void TestSignalPlayer::moduleIsLoadedAtTheFirstCommand() {
    QFETCH(QString, name);
    QFETCH(bool, loads);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // The build puts the sound module beside the programs, this test among them.
    const QString built =
        QCoreApplication::applicationDirPath() + QStringLiteral("/eigo-exam-sound.so");
    const QString module = folder.filePath(QLatin1String(ModuleSignalPlayer::moduleName));
    if (name == QLatin1String("fifo"))
        QVERIFY(::mkfifo(QFile::encodeName(module).constData(), 0600) == 0);
    else if (!name.isEmpty())
        QVERIFY(QFile::copy(built, folder.filePath(name)));
    const int handle = ::open(QFile::encodeName(folder.path()).constData(), O_PATH | O_DIRECTORY);
    QVERIFY(handle >= 0);
    const QString path = writeFile(dir_, QStringLiteral("m.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    {
        ModuleSignalPlayer player(QStringLiteral("/proc/self/fd/%1/").arg(handle));
        player.setFileName(path);
        player.command(QStringLiteral("Stop"));
        QVERIFY(!player.loadedPlayer());
        QElapsedTimer held;
        held.start();
        player.command(QStringLiteral("Open"));
        QVERIFY(held.elapsed() < 1000);
        QCOMPARE(player.loadedPlayer() != nullptr, loads);
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTest::qWait(settleMs);
    }
    ::close(handle);
}

// With a sound server that takes the connection and never answers, the GUI thread goes on
// handling its events through Play, and the player closes without waiting for the server.
// Run on its own (EIGO_TEST_SILENT_SERVER), as the sound layer connects once per process.
void TestSignalPlayer::silentServerNeverHoldsTheGui() {
    if (!qEnvironmentVariableIsSet("EIGO_TEST_SILENT_SERVER"))
        QSKIP("runs in a process of its own");
    // Listening is enough for a connection to be taken; nothing ever reads from it.
    const QByteArray socketPath = QFile::encodeName(dir_.filePath(QStringLiteral("silent")));
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(server >= 0 && size_t(socketPath.size()) < sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
    QVERIFY(::bind(server, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    QVERIFY(::listen(server, 16) == 0);
    qputenv("PULSE_SERVER", "unix:" + socketPath);
    const QString path = writeFile(dir_, QStringLiteral("s.wav"), pcmWav(0.5));
    QVERIFY(!path.isEmpty());
    QElapsedTimer closing;
    {
        SignalPlayer player;
        tickMs(player, path);
        // Events posted just before Play, and every tenth of a second after it.
        for (int i = 0; i < 10; ++i) {
            QElapsedTimer posted;
            posted.start();
            qint64 handledAfter = -1;
            QTimer::singleShot(0, this, [&] { handledAfter = posted.elapsed(); });
            if (i == 0) {
                player.command(QStringLiteral("Prev"));
                player.command(QStringLiteral("Play"));
            }
            QTRY_VERIFY_WITH_TIMEOUT(handledAfter >= 0, 5000);
            QVERIFY2(handledAfter < 100, qPrintable(QString::number(handledAfter)));
            QTest::qWait(100);
        }
        tickMs(player, path);
        QVERIFY(!player.idle());
        closing.start();
    }
    QVERIFY2(closing.elapsed() < 2000, qPrintable(QString::number(closing.elapsed())));
    // Closing the server resets the connection it never took, which wakes the abandoned sound
    // thread; it is given a moment to end before the process exits under it.
    ::close(server);
    QTest::qWait(300);
}

// The sound layer's lines the user cannot act on never reach the console, quoted or not, and
// any other line of its own comes once, not every few seconds.
void TestSignalPlayer::soundLayerLinesAreQuiet() {
    SignalPlayer player;
    for (int i = 0; i < 3; ++i) {
        qWarning() << QStringLiteral(
            "PulseAudioService: Connection failure: Connection terminated");
        qWarning("PulseAudioService: Connection failure: Connection terminated");
        qWarning() << QStringLiteral("Stream error: Connection terminated");
    }
    const QLoggingCategory category("qt.multimedia.test");
    QTest::ignoreMessage(QtWarningMsg, "a line of its own");
    for (int i = 0; i < 3; ++i)
        qCWarning(category) << "a line of its own";
}

QTEST_GUILESS_MAIN(TestSignalPlayer)
#include "tst_signalplayer.moc"
