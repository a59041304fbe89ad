#pragma once

#include <string>
#include <utility>

#include "platform/timedated_clock_setter.h"

namespace tidewell {

// The kernel clock when the process holds CAP_SYS_TIME, systemd-timedated otherwise.
class SystemClockSetter final : public ClockSetter {
public:
    explicit SystemClockSetter(std::string busAddress = {}) : m_timedated(std::move(busAddress)) {}

    Result SetSystemClock(int64_t utcMicroseconds, const CancelFlag& cancel) override;
    bool CanSetClock() override;

private:
    TimedatedClockSetter m_timedated;
};

// Whether CAP_SYS_TIME is in the process's effective set.
bool HasTimeCapability();

}  // namespace tidewell
