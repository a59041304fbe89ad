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

// A clock that always tells the same instant: for tools that compute "as of" a given time.
class FixedClock final : public Clock {
public:
    explicit FixedClock(DateTime now) : m_now(now) {}
    DateTime Now() const override { return m_now; }

private:
    DateTime m_now;
};

}  // namespace tidewell
