#pragma once

#include <QDateTime>

// Where the exam clock reads the time of day; tests hand it any time they like.
class WallClockInterface {
public:
    virtual ~WallClockInterface() = default;
    virtual QDateTime now() const = 0;
};

class SystemWallClock final : public WallClockInterface {
public:
    // UTC spares the time-zone lookup on every tick; full minutes begin at the same moments.
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
};
