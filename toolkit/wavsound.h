#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// The samples of a WAV file, as interleaved floats in [-1, 1].
struct WavSound {
    int rate = 0;
    int channels = 0;
    QList<float> samples;

    qsizetype frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

// Reads a RIFF/WAVE file of PCM (8 to 32 bits) or IEEE-float samples, plain or
// WAVE_FORMAT_EXTENSIBLE. Anything else is refused, and so is a file whose samples are not all
// there yet: one still being copied is read again once it is complete.
std::optional<WavSound> readPcmWav(const QString &path);

// The sound as bytes in the given format: sample type, channels and rate converted as needed.
QByteArray toAudioFormat(const WavSound &sound, const QAudioFormat &format);
