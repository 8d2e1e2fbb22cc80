#pragma once

#include <QList>

// Finds the stretches of sound in 16-bit PCM: where the level over short windows rises above a
// threshold and stays there. Used to check the generated signal and what a recording heard.
struct ToneBurst {
    double startSeconds;
    double lengthSeconds;
    // Zero crossings per second over the burst, halved: its pitch, near enough.
    double frequencyHz;
};

QList<ToneBurst> findToneBursts(const QList<qint16> &samples, int sampleRate,
                                double thresholdFraction = 0.05);
