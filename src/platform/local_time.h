#pragma once

#include <cstdint>
#include <optional>

#include "time/date_time.h"

namespace tidewell {

// Seconds since 1970-01-01 00:00:00 UTC of a wall-clock time in the process's time zone (TZ or
// /etc/localtime). A time that a daylight-saving change skips or repeats is placed as the C
// library's mktime places it. Nothing when out of range.
std::optional<int64_t> LocalToUnixSeconds(const DateTime& local);

}  // namespace tidewell
