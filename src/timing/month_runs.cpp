#include "timing/month_runs.h"

#include <algorithm>

#include "timing/schedule_bounds.h"

namespace tidewell {

std::vector<MonthlyItem>& MonthList(TaskRecord& task, MonthListKind kind) {
    auto& items = kind == MonthListKind::monthly ? task.scheduleInfo.monthly : task.scheduleInfo.yearly;
    OrderMonthList(items);
    return items;
}

std::vector<DateTime> MonthRunTimes(int year, int month, TaskRecord& task, MonthListKind kind) {
    std::vector<MonthlyItem>& items = MonthList(task, kind);
    std::vector<DateTime> runs;
    ForEachRunInMonth(items, year, month, [&](const DateTime& instant, const MonthlyItem& item) {
        if (!item.byDayNumber && !IsEnding(task.scheduleInfo, instant)) runs.push_back(instant);
    });
    std::sort(runs.begin(), runs.end());
    runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
    return runs;
}

}  // namespace tidewell
