#include "support/calendar_walk.h"

#include <algorithm>

#include "time/calendar.h"

namespace tidewell::testing {
namespace {

bool MonthEntryFallsOn(const MonthlyItem& item, const CivilDate& date, int mondayBased) {
    if (!item.SelectsMonth(date.month)) return false;
    const int length = DaysInMonth(date.year, date.month);
    if (item.byDayNumber) return date.day == std::min(item.day, length);
    if (mondayBased - 1 != item.weekday) return false;
    return item.weekOrdinal < 5 ? (date.day - 1) / 7 + 1 == item.weekOrdinal : date.day + 7 > length;
}

}  // namespace

std::vector<DateTime> ListInstantsOfDay(const TaskRecord& task, int64_t day) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    const CivilDate date = DateOfDayNumber(day);
    const int sundayBased = DateTime::FromSeconds(day * 86400).GetDayOfWeek();  // 1 = Sunday
    const int mondayBased = sundayBased == 1 ? 7 : sundayBased - 1;
    std::vector<DateTime> instants;
    auto at = [&](const DateTime& time) {
        instants.push_back(DateTime::FromSeconds(day * 86400 + time.SecondOfDay()));
    };
    switch (schedule.type) {
        case ScheduleType::daily:
            for (const DateTime& time : schedule.daily) at(time);
            break;
        case ScheduleType::weekly:
            for (const WeeklyItem& item : schedule.weekly)
                if (item.weekday == mondayBased) at(item.time);
            break;
        case ScheduleType::monthly:
        case ScheduleType::yearly:
            for (const MonthlyItem& item :
                 schedule.type == ScheduleType::monthly ? schedule.monthly : schedule.yearly) {
                if (MonthEntryFallsOn(item, date, mondayBased)) at(item.time);
            }
            break;
        case ScheduleType::once:
            for (const DateTime& time : schedule.once)
                if (time.DayNumber() == day) instants.push_back(time);
            break;
        default: break;
    }
    return instants;
}

}  // namespace tidewell::testing
