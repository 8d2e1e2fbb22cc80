#pragma once

#include "app/wallclockinterface.h"

// A wall clock that reads whatever the test last set, so a test can step time by hand, jump it
// forward over a suspend or set it back.
class FakeWallClock final : public WallClockInterface {
public:
    explicit FakeWallClock(const QDateTime &start = {}) : now_(start) {}
    QDateTime now() const override { return now_; }
    void set(const QDateTime &t) { now_ = t; }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }

private:
    QDateTime now_;
};
