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
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
