#pragma once

#include <vector>

#include "model/task_record.h"

namespace tidewell {

enum class MonthListKind { monthly = 0, yearly = 1 };

// The list of the given kind, ordered.
std::vector<MonthlyItem>& MonthList(TaskRecord& task, MonthListKind kind);

// The weekday-form run instants of one month that are not after the ending
// time, ascending and without duplicates. Orders the task's list.
std::vector<DateTime> MonthRunTimes(int year, int month, TaskRecord& task, MonthListKind kind);

// Calls visit(instant, entry) for every run instant of the list in one month: day
// numbers clamped to the month's end, ordinal weekdays from the weekday tables.
template <typename Visit>
void ForEachRunInMonth(const std::vector<MonthlyItem>& items, int year, int month, Visit visit);

// A month counted from year 0: index = year * 12 + month - 1.
struct MonthIndex {
    int value;
    int Year() const { return value / 12; }
    int Month() const { return value % 12 + 1; }
};

}  // namespace tidewell

#include "timing/month_runs_inl.h"
