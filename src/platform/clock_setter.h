#pragma once

#include <cstdint>

#include "base/result.h"
#include "platform/cancel_flag.h"

namespace tidewell {

// Sets the computer's clock. Tests replace it; no test moves the real clock.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // Sets the clock to `utcMicroseconds` since 1970-01-01 00:00:00 UTC. An adapter may wait for
    // the user to authorize the change; that wait ends early when `cancel` is set.
    virtual Result SetSystemClock(int64_t utcMicroseconds, const CancelFlag& cancel) = 0;
    // Whether a SetSystemClock would be allowed, found out without moving the clock.
    virtual bool CanSetClock() = 0;
};

}  // namespace tidewell
