#pragma once

#include <string>
#include <utility>

#include "platform/clock_setter.h"

namespace tidewell {

// Sets the clock through systemd-timedated's SetTime over D-Bus, which asks the user for
// authorization the desktop's way. Each call opens its own bus connection, so the object may be
// used from a worker thread.
class TimedatedClockSetter final : public ClockSetter {
public:
    // `busAddress` empty: the system bus; otherwise that bus (tests give a private one).
    explicit TimedatedClockSetter(std::string busAddress = {}) : m_busAddress(std::move(busAddress)) {}

    Result SetSystemClock(int64_t utcMicroseconds, const CancelFlag& cancel) override;
    // True when the service answers and does not keep the clock in step itself (timedated refuses
    // SetTime while its NTP synchronization is on). Asking activates the service if it sleeps.
    bool CanSetClock() override;

private:
    std::string m_busAddress;
};

}  // namespace tidewell
