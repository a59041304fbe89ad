#pragma once

#include "time/clock.h"

namespace tidewell {

// Local time of the system clock.
class SystemClock final : public Clock {
public:
    DateTime Now() const override;
};

}  // namespace tidewell
