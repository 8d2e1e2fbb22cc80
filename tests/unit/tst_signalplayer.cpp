#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

} // namespace

class TestSignalPlayer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void badFilesAreSilent_data();
    void badFilesAreSilent();
    void openForTheOpenFileDoesNotReload();
    void anotherFileIsLoaded();
    void missingFileIsFoundOnceItAppears();
    void unknownVerbsAreDropped_data();
    void unknownVerbsAreDropped();
    void commandsWithoutAFileDoNothing();
    void destroyedWhilePlaying();

private:
    QTemporaryDir dir_;
};

void TestSignalPlayer::init() {
    QVERIFY(dir_.isValid());
    // Any console line from the player or the sound layer below it fails the test.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
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
    // Valid, but Qt's loader stalls on the pad byte for good and then blocks every teardown.
    QByteArray padded = good.left(36) + QByteArray("LIST\x03\0\0\0abc\0", 12) + good.mid(36);
    qToLittleEndian<quint32>(padded.size() - 8, padded.data() + 4);
    QTest::newRow("odd-sized chunk before the samples") << padded << true << 0;
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

QTEST_GUILESS_MAIN(TestSignalPlayer)
#include "tst_signalplayer.moc"
