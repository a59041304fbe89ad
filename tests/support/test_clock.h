#pragma once

#include <cstdint>

#include "time/clock.h"

namespace tidewell {

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
