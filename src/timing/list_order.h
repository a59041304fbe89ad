#pragma once

#include <vector>

#include "model/task_record.h"

namespace tidewell {

// The orders the schedule lists are kept in; each sorts in place and does
// nothing when the list is already in order.

// Ascending by value; an entry equal to an earlier one is removed.
void OrderTimes(std::vector<DateTime>& times);
// By weekday, then by time of day.
void OrderWeekly(std::vector<WeeklyItem>& items);
// Each-month entries first, then by month flags (an entry that flags an
// earlier month first), day-number entries before weekday entries, then by
// day or by ordinal and weekday, then by time of day.
void OrderMonthList(std::vector<MonthlyItem>& items);

// Seconds since midnight of a list entry's time; 0 for a value that is not valid.
int TimeOfDay(const DateTime& time);
// A list entry's time of day on a day (days since 1899-12-30).
DateTime AtTimeOfDay(int64_t dayNumber, const DateTime& time);

}  // namespace tidewell
