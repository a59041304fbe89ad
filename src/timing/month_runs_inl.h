#pragma once

#include <optional>

#include "time/calendar.h"
#include "timing/list_order.h"

namespace tidewell {

template <typename Visit>
void ForEachRunInMonth(const std::vector<MonthlyItem>& items, int year, int month, Visit visit) {
    // The weekday tables are built once per month, and only when an entry needs them.
    std::optional<WeekdayDays> first;
    std::optional<WeekdayDays> last;
    for (const MonthlyItem& item : items) {
        if (!item.SelectsMonth(month)) continue;
        if (item.byDayNumber) {
            visit(ClampedMonthDay(year, month, item.day, TimeOfDay(item.time)), item);
            continue;
        }
        if (item.weekday < 0 || item.weekday > 6 || item.weekOrdinal < 1) continue;
        auto weekday = static_cast<size_t>(item.weekday);
        int day = 0;
        if (item.weekOrdinal < 5) {
            if (!first) first = FirstWeekdays(year, month);
            day = (*first)[weekday] + 7 * (item.weekOrdinal - 1);
        } else {
            if (!last) last = LastWeekdays(year, month);
            day = (*last)[weekday];
        }
        visit(DateTime::FromSeconds(DayNumberOfDate(year, month, day) * 86400 + TimeOfDay(item.time)), item);
    }
}

}  // namespace tidewell
