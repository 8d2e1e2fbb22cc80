#pragma once

#include <QString>
#include <QtGlobal>

class WallClockInterface;

// The 80-minute countdown. It holds hours, minutes and seconds and drops a minute at each full
// minute of the wall clock; it never counts ticks, so a late, doubled or missing tick changes
// nothing, and minutes slept through are caught up on the next tick.
class ExamClock {
public:
    static constexpr int examMinutes = 80;

    explicit ExamClock(const WallClockInterface &wallClock);

    // Sets minutes to 80 and takes the wall clock's reading as the point to count from.
    void start();
    // Runs on every tick. Takes off one minute for each full wall-clock minute begun since the
    // last step (never below zero) and returns whether the display text changed.
    bool minuteStep();

    int hours() const { return hours_; }
    int minutes() const { return minutes_; }
    int seconds() const { return seconds_; }
    // "h:mm", as in 1:20, 0:59, 0:00.
    QString displayText() const;

private:
    const WallClockInterface &wallClock_;
    int hours_ = 0;
    int minutes_ = 0;
    int seconds_ = 0;
    // The wall clock's reading at the last step, in milliseconds since the epoch. Kept as a
    // number: comparing local date-times converts them on every tick.
    qint64 lastStepMs_ = 0;
    bool started_ = false;
};
