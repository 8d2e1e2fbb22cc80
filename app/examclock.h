#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

class WallClockInterface;

// The exam's countdown, 80 minutes unless extra time was chosen. It holds hours, minutes and
// seconds and drops a minute at each full minute of the wall clock as it read at Start. What has
// passed is measured on the boot clock, which no one can set and which runs on through a suspend,
// so changing the clock during an exam neither shortens nor lengthens it, and minutes slept through
// are caught up on the next tick. It never counts ticks, so a late, doubled or missing tick changes
// nothing.
class ExamClock {
public:
    static constexpr int examMinutes = 80;
    // The times a learner may choose: the exam's own, and 1.3 and 1.5 times it, as granted to
    // candidates who need extra time.
    static constexpr std::array<int, 3> lengths{examMinutes, 104, 120};

    explicit ExamClock(const WallClockInterface &wallClock);

    // Sets minutes to the exam's length and takes both readings as the point to count from.
    void start(int length = examMinutes);
    // Runs on every tick. Shows the length less the full minutes begun since Start, counted on
    // the Start reading moved on by the real time passed (never below zero), and returns whether
    // the display text changed.
    bool minuteStep();

    // The length the last Start counted down from.
    int length() const { return length_; }

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
    int length_ = examMinutes;
    // The wall clock's reading at Start, in milliseconds since the epoch, and the boot clock's.
    qint64 startWallMs_ = 0;
    qint64 startBootMs_ = 0;
    bool started_ = false;
};

// What a screen reader is told as the clock moves from minutesBefore to minutesLeft: "残りN分です"
// on passing 10, 5 or 1 minute left (N as the clock shows it, should it have jumped further),
// "試験時間が終了しました" at 0, and nothing otherwise.
QString timeWarning(int minutesBefore, int minutesLeft);
