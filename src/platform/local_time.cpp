#include "platform/local_time.h"

#include <cerrno>
#include <ctime>

namespace tidewell {

std::optional<int64_t> LocalToUnixSeconds(const DateTime& local) {
    if (!local.IsValid()) return std::nullopt;
    std::tm parts{};
    parts.tm_year = local.GetYear() - 1900;
    parts.tm_mon = local.GetMonth() - 1;
    parts.tm_mday = local.GetDay();
    parts.tm_hour = local.GetHour();
    parts.tm_min = local.GetMinute();
    parts.tm_sec = local.GetSecond();
    parts.tm_isdst = -1;
    errno = 0;
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1) && errno != 0) return std::nullopt;
    return static_cast<int64_t>(seconds);
}

}  // namespace tidewell
