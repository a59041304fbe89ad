#include "platform/system_time_zone.h"

#include <ctime>

namespace tidewell {

int SystemTimeZone::CurrentBias() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return static_cast<int>(-local.tm_gmtoff / 60);
}

}  // namespace tidewell
