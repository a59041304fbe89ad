#include "timing/list_order.h"

#include <algorithm>
#include <tuple>

namespace tidewell {
namespace {

template <typename Item, typename Less>
void SortIfNeeded(std::vector<Item>& items, Less less) {
    if (!std::is_sorted(items.begin(), items.end(), less)) std::stable_sort(items.begin(), items.end(), less);
}

// Month flags as a number whose order is the wanted one: January is the most
// significant bit, a set flag sorts first.
unsigned MonthKey(const MonthlyItem& item) {
    if (item.everyMonth) return 0;
    unsigned key = 0;
    for (bool flag : item.months) key = (key << 1) | (flag ? 0u : 1u);
    return key;
}

}  // namespace

int TimeOfDay(const DateTime& time) {
    return time.IsValid() ? time.SecondOfDay() : 0;
}

DateTime AtTimeOfDay(int64_t dayNumber, const DateTime& time) {
    return DateTime::FromSeconds(dayNumber * 86400 + TimeOfDay(time));
}

void OrderTimes(std::vector<DateTime>& times) {
    SortIfNeeded(times, [](const DateTime& a, const DateTime& b) { return a < b; });
    times.erase(std::unique(times.begin(), times.end()), times.end());
}

void OrderWeekly(std::vector<WeeklyItem>& items) {
    // Weekdays are single digits, so this is also the order of the stored texts.
    SortIfNeeded(items, [](const WeeklyItem& a, const WeeklyItem& b) {
        return std::make_tuple(a.weekday, TimeOfDay(a.time)) < std::make_tuple(b.weekday, TimeOfDay(b.time));
    });
}

void OrderMonthList(std::vector<MonthlyItem>& items) {
    auto key = [](const MonthlyItem& item) {
        int first = item.byDayNumber ? item.day : item.weekOrdinal;
        int second = item.byDayNumber ? 0 : item.weekday;
        return std::make_tuple(!item.everyMonth, MonthKey(item), !item.byDayNumber, first, second,
                               TimeOfDay(item.time));
    };
    SortIfNeeded(items, [&](const MonthlyItem& a, const MonthlyItem& b) { return key(a) < key(b); });
}

}  // namespace tidewell
