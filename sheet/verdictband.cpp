#include "sheet/verdictband.h"

#include <limits>

namespace {

// A whole number in decimal digits with an optional minus sign; numbers too long for 64 bits
// saturate, so they still land in the top or no band rather than wrapping.
bool parseWholeNumber(const QString &text, long long *value) {
    qsizetype i = 0;
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (negative)
        i = 1;
    if (i == text.size())
        return false;
    long long magnitude = 0;
    constexpr long long limit = std::numeric_limits<long long>::max() / 10 - 9;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        if (magnitude < limit)
            magnitude = magnitude * 10 + (c.unicode() - u'0');
    }
    *value = negative ? -magnitude : magnitude;
    return true;
}

} // namespace

Verdict lookupVerdict(const QString &scoreText) {
    if (scoreText.isEmpty())
        return {Verdict::Kind::NoScore};
    long long score = 0;
    if (!parseWholeNumber(scoreText, &score))
        return {Verdict::Kind::NoBand};
    for (const VerdictBand &band : verdictBands) {
        if (band.matches(score))
            return {Verdict::Kind::Band, band.band};
    }
    return {Verdict::Kind::NoBand};
}
