#include <QFile>
#include <QTest>
#include <QtEndian>

#include "toolkit/wavfile.h"
#include "tools/zikan/timesignal.h"
#include "tools/zikan/toneburst.h"

namespace {

QString committedPath() {
    return QStringLiteral(EIGO_SOURCE_DIR "/content/Zikan.wav");
}

QList<qint16> pcmOf(const QByteArray &wav) {
    QList<qint16> out;
    for (qsizetype i = 44; i + 1 < wav.size(); i += 2)
        out.append(qFromLittleEndian<qint16>(wav.constData() + i));
    return out;
}

} // namespace

class TestTimeSignal : public QObject {
    Q_OBJECT
private slots:
    void committedFileIsWhatTheGeneratorMakes();
    void formatIsMono16BitPcm();
    void threePipsThenOneLongHigherTone();
    void endsInSilence();
    void tonesStartAndStopSoftly();
    void burstFinderMeasuresKnownTones_data();
    void burstFinderMeasuresKnownTones();
};

// content/Zikan.wav is exactly what tools/zikan writes today.
void TestTimeSignal::committedFileIsWhatTheGeneratorMakes() {
    QFile file(committedPath());
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(committedPath()));
    QVERIFY2(file.readAll() == TimeSignal::wavFile(),
             "content/Zikan.wav is stale: run tools/make-content.sh");
}

// The header says 16-bit PCM mono at the generator's rate, and the player accepts the file.
void TestTimeSignal::formatIsMono16BitPcm() {
    const QByteArray wav = TimeSignal::wavFile();
    QCOMPARE(wav.left(4), QByteArray("RIFF"));
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 4), quint32(wav.size() - 8));
    QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 20), quint16(1));
    QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 22), quint16(1));
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 24), quint32(TimeSignal::sampleRate));
    QCOMPARE(qFromLittleEndian<quint16>(wav.constData() + 34), quint16(16));
    QCOMPARE(qFromLittleEndian<quint32>(wav.constData() + 40), quint32(wav.size() - 44));
    const std::unique_ptr<WavFile> read = WavFile::open(committedPath());
    QVERIFY(read);
    QCOMPARE(read->frames(), (wav.size() - 44) / 2);
}

// Heard back, the signal is three equal short pips and then a longer tone an octave up.
void TestTimeSignal::threePipsThenOneLongHigherTone() {
    const QList<ToneBurst> bursts = findToneBursts(TimeSignal::samples(), TimeSignal::sampleRate);
    QCOMPARE(bursts.size(), 4);
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(bursts[i].lengthSeconds < 0.3, qPrintable(QString::number(i)));
        QVERIFY(qAbs(bursts[i].frequencyHz - bursts[0].frequencyHz) < 10);
    }
    QVERIFY(bursts[3].lengthSeconds > 3 * bursts[0].lengthSeconds);
    QVERIFY(qAbs(bursts[3].frequencyHz / bursts[0].frequencyHz - 2.0) < 0.05);
    QVERIFY(bursts[1].startSeconds - bursts[0].startSeconds > 0.3);
}

// At least 0.3 s of digital silence at the end, since the player drops a file's last ~120 ms.
void TestTimeSignal::endsInSilence() {
    const QList<qint16> pcm = pcmOf(TimeSignal::wavFile());
    const qsizetype tail = qsizetype(0.3 * TimeSignal::sampleRate);
    QVERIFY(pcm.size() > tail);
    for (qsizetype i = pcm.size() - tail; i < pcm.size(); ++i)
        QCOMPARE(pcm[i], qint16(0));
}

// No clipping, and no step between neighbouring samples larger than a sine of the highest
// tone allows: a hard edge would click.
void TestTimeSignal::tonesStartAndStopSoftly() {
    const QList<qint16> pcm = TimeSignal::samples();
    double maxFrequency = 0;
    for (const TimeSignal::Tone &tone : TimeSignal::tones)
        maxFrequency = std::max(maxFrequency, tone.frequencyHz);
    const double peak = TimeSignal::peak * 32767;
    const double maxStep = 2 * M_PI * maxFrequency / TimeSignal::sampleRate * peak * 1.05;
    int largest = 0;
    for (qsizetype i = 1; i < pcm.size(); ++i) {
        QVERIFY(qAbs(int(pcm[i])) < 32000);
        largest = std::max(largest, qAbs(int(pcm[i]) - int(pcm[i - 1])));
    }
    QVERIFY2(largest <= maxStep, qPrintable(QString::number(largest)));
    // Each tone begins at silence.
    for (const TimeSignal::Tone &tone : TimeSignal::tones) {
        const qsizetype first = qsizetype(tone.startSeconds * TimeSignal::sampleRate);
        QVERIFY(qAbs(int(pcm[first + 1])) < 0.01 * peak);
    }
}

void TestTimeSignal::burstFinderMeasuresKnownTones_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("frequency");
    QTest::newRow("short low") << 0.25 << 0.1 << 440.0;
    QTest::newRow("long high") << 1.0 << 0.9 << 2000.0;
    QTest::newRow("at the very start") << 0.0 << 0.5 << 1000.0;
}

// The burst finder the end-to-end test relies on reports a plain tone where it is.
void TestTimeSignal::burstFinderMeasuresKnownTones() {
    QFETCH(double, start);
    QFETCH(double, length);
    QFETCH(double, frequency);
    const int rate = 22050;
    QList<qint16> pcm(qsizetype(3 * rate), 0);
    for (qsizetype i = qsizetype(start * rate); i < qsizetype((start + length) * rate); ++i)
        pcm[i] = qint16(8000 * std::sin(2 * M_PI * frequency * double(i) / rate));
    const QList<ToneBurst> bursts = findToneBursts(pcm, rate);
    QCOMPARE(bursts.size(), 1);
    QVERIFY(qAbs(bursts[0].startSeconds - start) < 0.01);
    QVERIFY(qAbs(bursts[0].lengthSeconds - length) < 0.02);
    QVERIFY(qAbs(bursts[0].frequencyHz - frequency) < frequency * 0.02);
}

QTEST_GUILESS_MAIN(TestTimeSignal)
#include "tst_timesignal.moc"
