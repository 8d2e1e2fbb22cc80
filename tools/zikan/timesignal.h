#pragma once

#include <QByteArray>
#include <QList>

// The program's time signal: three short pips and one long, higher tone, as 16-bit PCM mono.
namespace TimeSignal {

constexpr int sampleRate = 22050;

struct Tone {
    double startSeconds;
    double lengthSeconds;
    double frequencyHz;
};

// Pips an octave below the final tone, one every 0.6 s, then the long tone on the next beat.
constexpr Tone tones[] = {
    {0.0, 0.15, 880.0},
    {0.6, 0.15, 880.0},
    {1.2, 0.15, 880.0},
    {1.8, 1.0, 1760.0},
};
// The player drops the last part of a file, so the file ends well after the last tone.
constexpr double trailingSilenceSeconds = 0.5;
// Raised-cosine attack and release: a hard edge on a sine sounds like a click.
constexpr double rampSeconds = 0.012;
constexpr double peak = 0.45; // of full scale

// The samples, at sampleRate.
QList<qint16> samples();
// The samples in a complete WAV file.
QByteArray wavFile();

} // namespace TimeSignal
