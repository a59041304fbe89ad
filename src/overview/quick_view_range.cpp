#include "overview/quick_view_range.h"

#include <algorithm>

#include "time/calendar.h"

namespace tidewell {
namespace {

// Days since 1899-12-30 of the first and last dates a value may hold.
const int64_t kFirstDay = DayNumberOfDate(100, 1, 1);
const int64_t kLastDay = DayNumberOfDate(9999, 12, 31);

struct DayRange {
    int64_t first;
    int64_t last;
};

// Weekday 1 = Monday ... 7 = Sunday of a day number (day 0 was a Saturday).
int MondayBasedWeekday(int64_t day) {
    int64_t shifted = (day + 5) % 7;
    if (shifted < 0) shifted += 7;
    return static_cast<int>(shifted) + 1;
}

// The latest day on or before `day` that falls on `weekday`.
int64_t WeekStart(int64_t day, int weekday) {
    return day - (MondayBasedWeekday(day) - weekday + 7) % 7;
}

// Months counted from year 0, kept inside the years a value may hold.
int64_t MonthIndex(int64_t day, int64_t offset) {
    CivilDate date = DateOfDayNumber(day);
    return std::clamp<int64_t>(int64_t{date.year} * 12 + date.month - 1 + offset, 100 * 12, 9999 * 12 + 11);
}

int64_t FirstDayOfMonth(int64_t index) {
    return DayNumberOfDate(static_cast<int>(index / 12), static_cast<int>(index % 12) + 1, 1);
}

// The first day of the month `offset` months after the month of `day`, and the last day.
int64_t MonthStart(int64_t day, int64_t offset) {
    return FirstDayOfMonth(MonthIndex(day, offset));
}
int64_t MonthEnd(int64_t day, int64_t offset) {
    int64_t index = MonthIndex(day, offset);
    return FirstDayOfMonth(index) +
           DaysInMonth(static_cast<int>(index / 12), static_cast<int>(index % 12) + 1) - 1;
}

// The unit that holds `today` with `before` units before it and `after` units after it.
DayRange Units(QuickViewUnit unit, int64_t today, int64_t before, int64_t after, int weekStart) {
    switch (unit) {
        case QuickViewUnit::days: return {today - before, today + after};
        case QuickViewUnit::weeks: {
            int64_t start = WeekStart(today, weekStart);
            return {start - 7 * before, start + 7 * after + 6};
        }
        case QuickViewUnit::months: return {MonthStart(today, -before), MonthEnd(today, after)};
    }
    return {today, today};
}

std::optional<DayRange> DaysOf(const QuickViewRecord& record, int64_t today) {
    switch (record.type) {
        case QuickViewType::thisPeriod: {
            if (record.period == QuickViewPeriod::thisMonth)
                return Units(QuickViewUnit::months, today, 0, 0, 1);
            int64_t start = WeekStart(today, record.firstWeekday);
            return DayRange{start, start + (record.lastWeekday - record.firstWeekday + 7) % 7};
        }
        case QuickViewType::recent:
            return Units(record.recentUnit, today, 0, record.recentCount - 1, record.recentStartWeekday);
        case QuickViewType::pastToNext: {
            DayRange past = Units(record.pastUnit, today, record.pastCount, 0, 1);
            DayRange next = Units(record.nextUnit, today, 0, record.nextCount, 1);
            return DayRange{past.first, next.last};
        }
        case QuickViewType::between: return DayRange{record.from.DayNumber(), record.to.DayNumber()};
    }
    return std::nullopt;
}

}  // namespace

std::optional<QuickViewRange> QuickViewRangeOf(const QuickViewRecord& record, const DateTime& now) {
    if (!IsValidQuickView(record) || !now.IsValid()) return std::nullopt;
    std::optional<DayRange> days = DaysOf(record, now.DayNumber());
    if (!days) return std::nullopt;
    int64_t first = std::clamp(days->first, kFirstDay, kLastDay);
    int64_t last = std::clamp(days->last, kFirstDay, kLastDay);
    return QuickViewRange{DateTime::FromSeconds(first * 86400), DateTime::FromSeconds(last * 86400 + 86399)};
}

}  // namespace tidewell
