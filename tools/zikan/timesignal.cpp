#include "tools/zikan/timesignal.h"

#include <QtEndian>
#include <cmath>
#include <numbers>

namespace TimeSignal {

namespace {

double envelope(double t, double length) {
    const double edge = std::min(t, length - t);
    if (edge <= 0)
        return 0;
    if (edge >= rampSeconds)
        return 1;
    return 0.5 - 0.5 * std::cos(std::numbers::pi * edge / rampSeconds);
}

void appendLe32(QByteArray &bytes, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    bytes.append(b, 4);
}

void appendLe16(QByteArray &bytes, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    bytes.append(b, 2);
}

} // namespace

QList<qint16> samples() {
    const Tone &last = tones[std::size(tones) - 1];
    const double total = last.startSeconds + last.lengthSeconds + trailingSilenceSeconds;
    QList<qint16> out(qsizetype(std::lround(total * sampleRate)), 0);
    for (const Tone &tone : tones) {
        const qsizetype first = std::lround(tone.startSeconds * sampleRate);
        const qsizetype count = std::lround(tone.lengthSeconds * sampleRate);
        for (qsizetype i = 0; i < count; ++i) {
            const double t = double(i) / sampleRate;
            const double v = peak * envelope(t, tone.lengthSeconds) *
                             std::sin(2 * std::numbers::pi * tone.frequencyHz * t);
            out[first + i] = qint16(std::lround(v * 32767));
        }
    }
    return out;
}

QByteArray wavFile() {
    const QList<qint16> pcm = samples();
    const quint32 dataBytes = quint32(pcm.size() * 2);
    QByteArray wav;
    wav.reserve(44 + dataBytes);
    wav.append("RIFF");
    appendLe32(wav, 36 + dataBytes);
    wav.append("WAVEfmt ");
    appendLe32(wav, 16);
    appendLe16(wav, 1); // PCM
    appendLe16(wav, 1); // mono
    appendLe32(wav, sampleRate);
    appendLe32(wav, sampleRate * 2);
    appendLe16(wav, 2);
    appendLe16(wav, 16);
    wav.append("data");
    appendLe32(wav, dataBytes);
    for (qint16 s : pcm)
        appendLe16(wav, quint16(s));
    return wav;
}

} // namespace TimeSignal
