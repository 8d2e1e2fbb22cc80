#include "app/examclock.h"

#include "app/wallclockinterface.h"

#include <algorithm>

namespace {

// Index of the wall-clock minute a reading falls in. Counted on UTC so that a daylight-saving
// change is not mistaken for the clock going back an hour; every zone in use today is offset by
// whole minutes, so UTC minutes begin exactly when local ones do.
qint64 minuteIndex(qint64 ms) {
    constexpr qint64 msPerMinute = 60 * 1000;
    // Floor, not truncation, so that readings before 1970 still fall in the right minute.
    return ms >= 0 ? ms / msPerMinute : -((-ms + msPerMinute - 1) / msPerMinute);
}

} // namespace

ExamClock::ExamClock(const WallClockInterface &wallClock) : wallClock_(wallClock) {}

void ExamClock::start(int length) {
    length_ = length;
    minutes_ = length;
    seconds_ = 0;
    const QDateTime now = wallClock_.now();
    started_ = now.isValid();
    startWallMs_ = started_ ? now.toMSecsSinceEpoch() : 0;
    startBootMs_ = wallClock_.sinceBootMs();
}

bool ExamClock::minuteStep() {
    if (!started_ || minutes_ == 0)
        return false;
    const qint64 passedMs = std::max<qint64>(0, wallClock_.sinceBootMs() - startBootMs_);
    const qint64 begun = minuteIndex(startWallMs_ + passedMs) - minuteIndex(startWallMs_);
    const int left = begun >= length_ ? 0 : length_ - static_cast<int>(begun);
    if (left >= minutes_)
        return false;
    minutes_ = left;
    seconds_ = 0;
    return true;
}

QString ExamClock::displayText() const {
    // Minutes above 59 carry into the hours, so 80 minutes read 1:20.
    const int total = hours_ * 60 + minutes_;
    return QStringLiteral("%1:%2").arg(total / 60).arg(total % 60, 2, 10, QLatin1Char('0'));
}

QString timeWarning(int minutesBefore, int minutesLeft) {
    if (minutesLeft >= minutesBefore)
        return {};
    if (minutesLeft == 0)
        return QStringLiteral("試験時間が終了しました");
    for (int mark : {10, 5, 1})
        if (minutesLeft <= mark && mark < minutesBefore)
            return QStringLiteral("残り%1分です").arg(minutesLeft);
    return {};
}
