#pragma once

#include <string>

#include "model/task_record.h"

namespace tidewell {

// The stored text form of one schedule list entry; equal texts mean equal entries.
std::string DailyEntryText(const DateTime& time);     // "%H:%M:%S"
std::string WeeklyEntryText(const WeeklyItem& item);  // "%d %s": weekday, time
std::string OnceEntryText(const DateTime& time);      // "%Y-%m-%d %H:%M:%S"
// Month part ("0m;", "1,6,12m;" or nothing) then the entry part
// ("1 05 08:00:00" by day number, "0 13 09:30:00" by ordinal weekday).
std::string MonthlyEntryText(const MonthlyItem& item);

}  // namespace tidewell
