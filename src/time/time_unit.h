#pragma once

#include <cstdint>
#include <string>

namespace tidewell {

// Unit codes of periods and waits; stored as their numbers. Other stored codes
// may turn up in files and are kept as they are.
enum class TimeUnit : int32_t { seconds = 0, minutes = 1, hours = 2, days = 3 };

// 1, 60, 3600, 86400; any other code counts as 1 second.
int64_t UnitSeconds(TimeUnit unit);

// Decimal digits in groups of three separated by ",": 1234567 gives "1,234,567".
std::string FormatThousands(int64_t n);

}  // namespace tidewell
