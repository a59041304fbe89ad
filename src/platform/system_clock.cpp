#include "platform/system_clock.h"

#include <ctime>

namespace tidewell {

DateTime SystemClock::Now() const {
    // time() reads a coarse clock that can still show the previous second a few milliseconds
    // into a new one; the pass that just woke for the new second must see it.
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const std::time_t seconds = now.tv_sec;
    std::tm local{};
    localtime_r(&seconds, &local);
    return DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec);
}

}  // namespace tidewell
