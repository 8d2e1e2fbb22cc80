#pragma once

#include <QString>
#include <QtGlobal>

class WallClockInterface;

// The 80-minute countdown. It holds hours, minutes and seconds and drops a minute at each full
// minute of the wall clock as it read at Start. What has passed is measured on the boot clock,
// which no one can set and which runs on through a suspend, so changing the clock during an exam
// neither shortens nor lengthens it, and minutes slept through are caught up on the next tick.
// It never counts ticks, so a late, doubled or missing tick changes nothing.
class ExamClock {
public:
    static constexpr int examMinutes = 80;

    explicit ExamClock(const WallClockInterface &wallClock);

    // Sets minutes to 80 and takes both readings as the point to count from.
    void start();
    // Runs on every tick. Shows 80 minutes less the full minutes begun since Start, counted on
    // the Start reading moved on by the real time passed (never below zero), and returns whether
    // the display text changed.
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
    // The wall clock's reading at Start, in milliseconds since the epoch, and the boot clock's.
    qint64 startWallMs_ = 0;
    qint64 startBootMs_ = 0;
    bool started_ = false;
};
