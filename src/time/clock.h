#pragma once

#include "time/date_time.h"

namespace tidewell {

// Where "now" comes from. Nothing in the core reads the system time directly.
class Clock {
public:
    virtual ~Clock() = default;
    // The current local time in whole seconds.
    virtual DateTime Now() const = 0;
};

// Local time of the system clock.
class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};

// A clock that stands still until it is told otherwise.
class TestClock final : public Clock {
public:
    explicit TestClock(DateTime now = DateTime::FromParts(2006, 1, 1)) : m_now(now) {}
    DateTime Now() const override { return m_now; }
    void Set(DateTime now) { m_now = now; }
    void Advance(int64_t seconds) { m_now += TimeSpan::FromSeconds(seconds); }

private:
    DateTime m_now;
};

}  // namespace tidewell
