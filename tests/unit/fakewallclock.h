#pragma once

#include "app/wallclockinterface.h"

// A clock that reads whatever the test last set, so a test can step time by hand, jump it
// forward over a suspend or set it back. Setting it forward is time passing, so the boot clock
// moves on as much; setting it back is someone changing the clock, so the boot clock stays.
class FakeWallClock final : public WallClockInterface {
public:
    explicit FakeWallClock(const QDateTime &start = {}) : now_(start) {}
    QDateTime now() const override { return now_; }
    qint64 sinceBootMs() const override { return bootMs_; }
    void set(const QDateTime &t) {
        if (now_.isValid() && t.isValid() && t > now_)
            bootMs_ += now_.msecsTo(t);
        now_ = t;
    }
    void advanceMs(qint64 ms) {
        now_ = now_.addMSecs(ms);
        bootMs_ += ms;
    }
    // Both readings at once, for a clock changed by hand while time passes.
    void setReadings(const QDateTime &wall, qint64 bootMs) {
        now_ = wall;
        bootMs_ = bootMs;
    }

private:
    QDateTime now_;
    qint64 bootMs_ = 1000000;
};
