#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/task_record.h"

namespace tidewell {

// The stored forms of the schedule lists: entries joined by CR LF, no
// trailing line break. Writers expect ordered lists.
std::string DailyListText(const std::vector<DateTime>& times);
std::string WeeklyListText(const std::vector<WeeklyItem>& items);
std::string MonthListText(const std::vector<MonthlyItem>& items);
std::string OnceListText(const std::vector<DateTime>& times);

// Readers take fields at fixed positions and keep an entry only when it
// formats back to the same text (so 25:00:00 or 2024-02-30 is dropped).
std::vector<DateTime> ReadDailyList(std::string_view text);
std::vector<WeeklyItem> ReadWeeklyList(std::string_view text);
std::vector<MonthlyItem> ReadMonthList(std::string_view text);
std::vector<DateTime> ReadOnceList(std::string_view text);

}  // namespace tidewell
