#pragma once

#include <QDateTime>
#include <ctime>

// Where the exam clock reads the time: the time of day, which anyone may set, and a count of
// milliseconds that only ever runs forward, in step with real time, asleep or awake. Tests hand
// it any readings they like.
class WallClockInterface {
public:
    virtual ~WallClockInterface() = default;
    virtual QDateTime now() const = 0;
    virtual qint64 sinceBootMs() const = 0;
};

class SystemWallClock final : public WallClockInterface {
public:
    // UTC spares the time-zone lookup on every tick; full minutes begin at the same moments.
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
    // CLOCK_BOOTTIME, not Qt's elapsed timers: they read CLOCK_MONOTONIC, which stands still
    // while the machine is suspended, and the exam's minutes go on passing then.
    qint64 sinceBootMs() const override {
        timespec t{};
        clock_gettime(CLOCK_BOOTTIME, &t);
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
};
