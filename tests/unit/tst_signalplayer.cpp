#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>
#include <cmath>

#include "toolkit/modulesignalplayer.h"
#include "toolkit/signalplayer.h"

namespace {

// A 16-bit mono PCM file of `seconds` of a quiet square wave.
QByteArray pcmWav(double seconds, quint32 rate = 22050) {
    const quint32 samples = static_cast<quint32>(seconds * rate);
    QByteArray data(static_cast<qsizetype>(samples) * 2, '\0');
    for (quint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>((i / 25) % 2 ? 3000 : -3000, data.data() + 2 * i);

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
    u32(36 + data.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(data.size());
    return wav + data;
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

// Long enough for the decoder thread to finish and report back to the event loop.
constexpr int settleMs = 200;

constexpr double toneSeconds = 0.4;
constexpr int recordRate = 22050;

// A tone of toneSeconds that ends at full strength, as sox writes it with the given options.
QByteArray soxTone(const QStringList &format, int rate, int channels) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tone.wav"));
    QProcess sox;
    sox.start(QStringLiteral("sox"),
              QStringList{QStringLiteral("-n"), QStringLiteral("-r"), QString::number(rate),
                          QStringLiteral("-c"), QString::number(channels)} +
                  format +
                  QStringList{path, QStringLiteral("synth"), QString::number(toneSeconds),
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
    void openForTheOpenFileDoesNotReload();
    void anotherFileIsLoaded();
    void missingFileIsFoundOnceItAppears();
    void unknownVerbsAreDropped_data();
    void unknownVerbsAreDropped();
    void commandsWithoutAFileDoNothing();
    void destroyedWhilePlaying();
    void everyPcmShapeIsHeard_data();
    void everyPcmShapeIsHeard();
    void fileStillBeingCopiedIsHeardOnceComplete();
    void convertedForAnOutputThatAsksForIt_data();
    void convertedForAnOutputThatAsksForIt();
    void moduleIsLoadedAtTheFirstCommand_data();
    void moduleIsLoadedAtTheFirstCommand();

private:
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

void TestSignalPlayer::badFilesAreSilent_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("create");
    QTest::addColumn<int>("loads");
    const QByteArray good = pcmWav(0.5);
    QTest::newRow("missing") << QByteArray() << false << 0;
    QTest::newRow("empty") << QByteArray() << true << 0;
    QTest::newRow("header cut short") << good.left(30) << true << 0;
    QTest::newRow("samples cut short") << good.left(44 + 101) << true << 0;
    QTest::newRow("noise") << noise(4000) << true << 0;
    QTest::newRow("good header, noise after") << good.left(36) + noise(3000) << true << 0;
    QByteArray zeroRate = good;
    qToLittleEndian<quint32>(0, zeroRate.data() + 24);
    qToLittleEndian<quint32>(0, zeroRate.data() + 28);
    QTest::newRow("zero sample rate") << zeroRate << true << 0;
    QByteArray hugeData = good.left(44);
    qToLittleEndian<quint32>(0x7fffffff, hugeData.data() + 40);
    QTest::newRow("data size past the end") << hugeData << true << 0;
    // With no sound server in the test environment even a good file cannot be heard.
    QTest::newRow("good file") << good << true << 1;
    // Other chunks may stand between the format and the samples.
    QByteArray listed = good.left(36) + QByteArray("LIST\x04\0\0\0abcd", 12) + good.mid(36);
    qToLittleEndian<quint32>(listed.size() - 8, listed.data() + 4);
    QTest::newRow("good file with a LIST chunk") << listed << true << 1;
    // Valid: the odd-sized chunk is followed by its pad byte.
    QByteArray padded = good.left(36) + QByteArray("LIST\x03\0\0\0abc\0", 12) + good.mid(36);
    qToLittleEndian<quint32>(padded.size() - 8, padded.data() + 4);
    QTest::newRow("odd-sized chunk before the samples") << padded << true << 1;
    const QByteArray aiff = soxTone({QStringLiteral("-t"), QStringLiteral("aiff")}, 22050, 1);
    const QByteArray alaw = soxTone({QStringLiteral("-e"), QStringLiteral("a-law")}, 8000, 1);
    QVERIFY2(!aiff.isEmpty() && !alaw.isEmpty(), "sox made no file");
    QTest::newRow("another kind of sound file") << aiff << true << 0;
    QTest::newRow("a-law samples") << alaw << true << 0;
}

// Whatever the file, the full command sequence of a run returns and prints nothing; a damaged
// file never reaches the sound layer, and a player made afterwards can still be torn down.
void TestSignalPlayer::badFilesAreSilent() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, create);
    QFETCH(int, loads);
    const QString path = create ? writeFile(dir_, QStringLiteral("Zikan.wav"), bytes)
                                : dir_.filePath(QStringLiteral("absent.wav"));
    QVERIFY(!path.isEmpty());

    {
        SignalPlayer player;
        for (int tick = 0; tick < 3; ++tick) {
            player.setFileName(path);
            player.command(QStringLiteral("Open"));
        }
        QTest::qWait(settleMs);
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTest::qWait(settleMs);
        player.command(QStringLiteral("Prev"));
        player.command(QStringLiteral("Play"));
        QTest::qWait(settleMs);
        QCOMPARE(player.loadCount(), loads);
    }

    // A load that never finishes used to block this teardown for ever.
    const QString other = writeFile(dir_, QStringLiteral("other.wav"), pcmWav(0.2));
    QVERIFY(!other.isEmpty());
    SignalPlayer next;
    next.setFileName(other);
    next.command(QStringLiteral("Open"));
    QTest::qWait(settleMs);
}

// "Open" comes every second; the file that is already open is not loaded again.
void TestSignalPlayer::openForTheOpenFileDoesNotReload() {
    const QString path = writeFile(dir_, QStringLiteral("a.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    for (int tick = 0; tick < 60; ++tick) {
        player.setFileName(path);
        player.command(QStringLiteral("Open"));
    }
    QCOMPARE(player.loadCount(), 1);
    QCOMPARE(player.openFileName(), path);
    QTest::qWait(settleMs);
}

// A different file name is a different file: "Open" loads it.
void TestSignalPlayer::anotherFileIsLoaded() {
    const QString first = writeFile(dir_, QStringLiteral("first.wav"), pcmWav(0.3));
    const QString second = writeFile(dir_, QStringLiteral("second.wav"), pcmWav(0.4));
    QVERIFY(!first.isEmpty() && !second.isEmpty());
    SignalPlayer player;
    player.setFileName(first);
    player.command(QStringLiteral("Open"));
    player.setFileName(second);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 2);
    QCOMPARE(player.openFileName(), second);
    QTest::qWait(settleMs);
}

// A missing file is not taken as open, so it is loaded once it has been put in place.
void TestSignalPlayer::missingFileIsFoundOnceItAppears() {
    const QString path = dir_.filePath(QStringLiteral("later.wav"));
    QFile::remove(path);
    SignalPlayer player;
    player.setFileName(path);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 0);
    QVERIFY(player.openFileName().isEmpty());

    QCOMPARE(writeFile(dir_, QStringLiteral("later.wav"), pcmWav(0.3)), path);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 1);
    QTest::qWait(settleMs);
}

void TestSignalPlayer::unknownVerbsAreDropped_data() {
    QTest::addColumn<QString>("verb");
    QTest::newRow("empty") << QString();
    QTest::newRow("Stop") << QStringLiteral("Stop");
    QTest::newRow("Close") << QStringLiteral("Close");
    QTest::newRow("Open with a blank") << QStringLiteral("Open ");
    QTest::newRow("non-ASCII") << QStringLiteral("再生");
}

// A verb the player does not know neither opens the file nor prints anything.
void TestSignalPlayer::unknownVerbsAreDropped() {
    QFETCH(QString, verb);
    const QString path = writeFile(dir_, QStringLiteral("v.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    player.setFileName(path);
    player.command(verb);
    QCOMPARE(player.loadCount(), 0);
    player.command(QStringLiteral("Open"));
    player.command(verb);
    QCOMPARE(player.loadCount(), 1);
    QTest::qWait(settleMs);
}

// "Prev" and "Play" before any file, and "Open" with no file name, are harmless.
void TestSignalPlayer::commandsWithoutAFileDoNothing() {
    SignalPlayer player;
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    player.command(QStringLiteral("Open"));
    player.setFileName(QString());
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 0);
    QTest::qWait(settleMs);
}

// The window may close while the signal plays; tearing the player down then is safe.
void TestSignalPlayer::destroyedWhilePlaying() {
    const QString path = writeFile(dir_, QStringLiteral("long.wav"), pcmWav(2.0));
    QVERIFY(!path.isEmpty());
    {
        SignalPlayer player;
        player.setFileName(path);
        player.command(QStringLiteral("Open"));
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
    auto tone = [](QStringList format, int rate, int channels) {
        return soxTone(format, rate, channels);
    };
    const QString b = QStringLiteral("-b");
    const QString e = QStringLiteral("-e");
    const QString flt = QStringLiteral("floating-point");
    QTest::newRow("8-bit, mono, 8000 Hz")
        << tone({b, "8", e, "unsigned-integer"}, 8000, 1) << 8000 << 1;
    QTest::newRow("16-bit, stereo, 44100 Hz") << tone({b, "16"}, 44100, 2) << 44100 << 2;
    QTest::newRow("16-bit, mono, 11025 Hz") << tone({b, "16"}, 11025, 1) << 11025 << 1;
    // sox writes more than 16 bits as WAVE_FORMAT_EXTENSIBLE; "wavpcm" forces the plain tags.
    QTest::newRow("24-bit, mono, 48000 Hz, extensible") << tone({b, "24"}, 48000, 1) << 48000 << 1;
    QTest::newRow("24-bit, stereo, 22050 Hz, plain")
        << tone({"-t", "wavpcm", b, "24"}, 22050, 2) << 22050 << 2;
    QTest::newRow("32-bit integer, stereo, 22050 Hz, extensible")
        << tone({b, "32", e, "signed-integer"}, 22050, 2) << 22050 << 2;
    QTest::newRow("32-bit float, mono, 44100 Hz, extensible")
        << tone({b, "32", e, flt}, 44100, 1) << 44100 << 1;
    QTest::newRow("32-bit float, mono, 16000 Hz, plain")
        << tone({"-t", "wavpcm", b, "32", e, flt}, 16000, 1) << 16000 << 1;
    QTest::newRow("64-bit float, stereo, 96000 Hz")
        << tone({b, "64", e, flt}, 96000, 2) << 96000 << 2;
    const QByteArray plain = tone({b, "16"}, 22050, 1);
    // Metadata between the format and the samples: 16,300 bytes used to play, 16,400 not.
    QTest::newRow("16,400-byte chunk before the samples")
        << withChunkBeforeData(plain, 16400) << 22050 << 1;
    QTest::newRow("65,537-byte chunk before the samples")
        << withChunkBeforeData(plain, 65537) << 22050 << 1;
    // A 16-bit "data" chunk of odd length: half a sample at the end, and the pad byte.
    QByteArray odd = plain + QByteArray(2, '\0');
    const qsizetype data = odd.indexOf("data", 12);
    qToLittleEndian<quint32>(qFromLittleEndian<quint32>(odd.constData() + data + 4) + 1,
                             odd.data() + data + 4);
    qToLittleEndian<quint32>(odd.size() - 8, odd.data() + 4);
    QTest::newRow("16-bit data of odd length") << odd << 22050 << 1;
}

// Every PCM or float WAV is read whole, to its last sample, and played to its end. With a sound
// server to record (EIGO_TEST_SINK_MONITOR names its monitor), the whole tone must be heard.
void TestSignalPlayer::everyPcmShapeIsHeard() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, rate);
    QFETCH(int, channels);
    QVERIFY2(!bytes.isEmpty(), "sox made no file");
    const QString path = writeFile(dir_, QStringLiteral("shape.wav"), bytes);
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    player.setFileName(path);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 1);
    QVERIFY(player.sound());
    const WavSound &sound = *player.sound();
    QCOMPARE(sound.rate, rate);
    QCOMPARE(sound.channels, channels);
    QVERIFY2(qAbs(sound.frames() - qRound(toneSeconds * rate)) <= 1,
             qPrintable(QString::number(sound.frames())));
    // The tone is at half strength from the first sample to the last.
    float peak = 0;
    for (float v : sound.samples)
        peak = std::max(peak, std::abs(v));
    QVERIFY2(peak > 0.45f && peak < 0.55f, qPrintable(QString::number(peak)));
    float tailPeak = 0;
    for (qsizetype i = sound.samples.size() - rate / 200 * channels; i < sound.samples.size(); ++i)
        tailPeak = std::max(tailPeak, std::abs(sound.samples[i]));
    QVERIFY2(tailPeak > 0.3f, qPrintable(QString::number(tailPeak)));

    const QString monitor = qEnvironmentVariable("EIGO_TEST_SINK_MONITOR");
    if (monitor.isEmpty())
        return;
    // One recording for all rows: the recorder takes a second or two to begin.
    if (!recorder_) {
        recorder_ = std::make_unique<QProcess>();
        recorder_->setStandardOutputFile(dir_.filePath(QStringLiteral("heard.raw")));
        recorder_->start(QStringLiteral("parecord"),
                         {QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                          QStringLiteral("--rate=%1").arg(recordRate),
                          QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20"),
                          QStringLiteral("-d"), monitor});
        QVERIFY(recorder_->waitForStarted());
    }
    QFile raw(dir_.filePath(QStringLiteral("heard.raw")));
    QTRY_VERIFY_WITH_TIMEOUT(raw.size() > recordRate / 5, 5000);
    const qint64 from = raw.size() & ~qint64(1);
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    QTest::qWait(int(toneSeconds * 1000) + 700);
    QVERIFY(raw.open(QIODevice::ReadOnly) && raw.seek(from));
    const double heard = heardSeconds(raw.readAll(), recordRate);
    QVERIFY2(heard > toneSeconds - 0.03 && heard < toneSeconds + 0.05,
             qPrintable(QStringLiteral("heard %1 s of a %2 s tone").arg(heard).arg(toneSeconds)));
}

// A file still being copied when it is first opened is refused, and read again, whole, at the
// next "Open" once the rest is there.
void TestSignalPlayer::fileStillBeingCopiedIsHeardOnceComplete() {
    const QByteArray whole = pcmWav(2.0);
    const QString path = writeFile(dir_, QStringLiteral("copying.wav"), whole.left(60000));
    QVERIFY(!path.isEmpty());
    SignalPlayer player;
    player.setFileName(path);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 0);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 0);

    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    QCOMPARE(f.write(whole.mid(60000)), whole.size() - 60000);
    f.close();
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 1);
    QVERIFY(player.sound());
    QCOMPARE(player.sound()->frames(), 44100);
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadCount(), 1);
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
}

// Where the output will not take the file's own format, the samples are converted to what it
// asks for: the same length of time, the same strength, every channel filled.
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
    const std::optional<WavSound> sound = readPcmWav(path);
    QVERIFY(sound);
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::SampleFormat(sampleFormat));
    const QByteArray bytes = toAudioFormat(*sound, format);
    const qsizetype frames = bytes.size() / format.bytesPerFrame();
    QCOMPARE(bytes.size() % format.bytesPerFrame(), 0);
    QVERIFY2(qAbs(frames - qRound(toneSeconds * rate)) <= 1, qPrintable(QString::number(frames)));
    for (int c = 0; c < channels; ++c) {
        float peak = 0;
        for (qsizetype i = 0; i < frames; ++i)
            peak = std::max(peak, std::abs(format.normalizedSampleValue(
                                      bytes.constData() + i * format.bytesPerFrame() +
                                      c * format.bytesPerSample())));
        QVERIFY2(peak > 0.45f && peak < 0.55f,
                 qPrintable(QStringLiteral("channel %1: %2").arg(c).arg(peak)));
    }
}

void TestSignalPlayer::moduleIsLoadedAtTheFirstCommand_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("loads");
    // The build puts the sound module beside the programs, this test among them.
    QTest::newRow("module beside the program")
        << QCoreApplication::applicationDirPath() + QLatin1Char('/') << true;
    QTest::newRow("no module") << dir_.path() + QLatin1Char('/') << false;
}

// The program's player loads the sound module at the first command, not before; without the
// module every command is dropped without a word.
void TestSignalPlayer::moduleIsLoadedAtTheFirstCommand() {
    QFETCH(QString, folder);
    QFETCH(bool, loads);
    const QString path = writeFile(dir_, QStringLiteral("m.wav"), pcmWav(0.3));
    QVERIFY(!path.isEmpty());
    ModuleSignalPlayer player(folder);
    player.setFileName(path);
    QVERIFY(!player.loadedPlayer());
    player.command(QStringLiteral("Open"));
    QCOMPARE(player.loadedPlayer() != nullptr, loads);
    player.command(QStringLiteral("Prev"));
    player.command(QStringLiteral("Play"));
    QTest::qWait(settleMs);
}

QTEST_GUILESS_MAIN(TestSignalPlayer)
#include "tst_signalplayer.moc"
