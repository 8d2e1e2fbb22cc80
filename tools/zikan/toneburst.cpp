#include "tools/zikan/toneburst.h"

#include <cmath>

namespace {

constexpr double windowSeconds = 0.005;
// Gaps shorter than this inside a burst are the windows where a sine passes zero, or a
// recording's scheduling hiccup, not silence.
constexpr double bridgeSeconds = 0.04;

// Measured between the first and the last zero crossing, so that the quiet edges of the burst
// do not pull the figure down.
double crossingFrequency(const QList<qint16> &samples, qsizetype from, qsizetype to, int rate) {
    int crossings = 0;
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = from + 1; i < to; ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0)) {
            ++crossings;
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (crossings < 2)
        return 0;
    return (crossings - 1) / (double(last - first) / rate) / 2;
}

} // namespace

QList<ToneBurst> findToneBursts(const QList<qint16> &samples, int sampleRate,
                                double thresholdFraction) {
    const qsizetype window = std::max<qsizetype>(1, std::lround(windowSeconds * sampleRate));
    const double threshold = thresholdFraction * 32768;
    const qsizetype bridge = std::lround(bridgeSeconds * sampleRate);

    QList<ToneBurst> bursts;
    qsizetype start = -1;
    qsizetype lastLoud = -1;
    auto close = [&] {
        const qsizetype end = lastLoud + window;
        bursts.append(
            {double(start) / sampleRate, double(end - start) / sampleRate,
             crossingFrequency(samples, start, std::min(end, samples.size()), sampleRate)});
        start = -1;
    };
    for (qsizetype w = 0; w + window <= samples.size(); w += window) {
        double sum = 0;
        for (qsizetype i = w; i < w + window; ++i)
            sum += double(samples[i]) * samples[i];
        const bool loud = std::sqrt(sum / window) >= threshold;
        if (loud) {
            if (start < 0)
                start = w;
            lastLoud = w;
        } else if (start >= 0 && w - lastLoud > bridge) {
            close();
        }
    }
    if (start >= 0)
        close();
    return bursts;
}
