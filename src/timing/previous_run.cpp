#include <optional>

#include "timing/list_order.h"
#include "timing/month_runs.h"
#include "timing/next_run.h"
#include "timing/run_text.h"
#include "timing/schedule_bounds.h"

namespace tidewell {
namespace {

// Months searched back from the month of the search's start: enough that a
// yearly schedule is always found.
constexpr int kMonthsBack = 13;

// Runs strictly before this instant are candidates: now, or just after the
// ending time when the schedule ended before now.
DateTime SearchLimit(const DateTime& now, const ScheduleInfo& schedule) {
    if (schedule.haveEndingTime && schedule.endingTime < now)
        return schedule.endingTime + TimeSpan::FromSeconds(1);
    return now;
}

std::optional<DateTime> NotBeforeStart(const DateTime& cand, const ScheduleInfo& schedule) {
    if (cand < schedule.startingTime) return std::nullopt;
    return cand;
}

std::optional<DateTime> PreviousDaily(const DateTime& now, ScheduleInfo& schedule) {
    OrderTimes(schedule.daily);
    if (schedule.daily.empty()) return std::nullopt;
    DateTime limit = SearchLimit(now, schedule);
    int64_t today = limit.DayNumber();
    for (auto entry = schedule.daily.rbegin(); entry != schedule.daily.rend(); ++entry) {
        DateTime cand = AtTimeOfDay(today, *entry);
        if (cand < limit) return NotBeforeStart(cand, schedule);
    }
    return NotBeforeStart(AtTimeOfDay(today - 1, schedule.daily.back()), schedule);
}

std::optional<DateTime> PreviousWeekly(const DateTime& now, ScheduleInfo& schedule) {
    OrderWeekly(schedule.weekly);
    if (schedule.weekly.empty()) return std::nullopt;
    DateTime limit = SearchLimit(now, schedule);
    int64_t monday = StartOfWeek(limit).DayNumber();
    for (auto entry = schedule.weekly.rbegin(); entry != schedule.weekly.rend(); ++entry) {
        DateTime cand = AtTimeOfDay(monday + entry->weekday - 1, entry->time);
        if (cand < limit) return NotBeforeStart(cand, schedule);
    }
    const WeeklyItem& last = schedule.weekly.back();
    return NotBeforeStart(AtTimeOfDay(monday - 7 + last.weekday - 1, last.time), schedule);
}

std::optional<DateTime> PreviousOnce(const DateTime& now, ScheduleInfo& schedule) {
    OrderTimes(schedule.once);
    auto after = std::lower_bound(schedule.once.begin(), schedule.once.end(), now);
    if (after == schedule.once.begin()) return std::nullopt;
    return *(after - 1);
}

std::optional<DateTime> PreviousRepeating(const DateTime& now, const ScheduleInfo& schedule) {
    if (schedule.repeatQuantity <= 0) return std::nullopt;
    int64_t period = int64_t{schedule.repeatQuantity} * UnitSeconds(schedule.repeatUnit);
    int64_t elapsed = (SearchLimit(now, schedule) - schedule.startingTime).GetTotalSeconds();
    if (elapsed <= 0) return std::nullopt;
    // The latest run instant strictly before the limit.
    DateTime cand = schedule.startingTime + TimeSpan::FromSeconds((elapsed - 1) / period * period);
    return NotBeforeStart(cand, schedule);
}

std::optional<DateTime> PreviousCountDown(const DateTime& now, const ScheduleInfo& schedule) {
    if (CountDownFallsDue(schedule) && schedule.startingTime < now) return schedule.startingTime;
    return std::nullopt;
}

std::optional<DateTime> PreviousInMonths(const DateTime& now, TaskRecord& task, MonthListKind kind) {
    std::vector<MonthlyItem>& items = MonthList(task, kind);
    const ScheduleInfo& schedule = task.scheduleInfo;
    DateTime limit = SearchLimit(now, schedule);
    MonthIndex month{limit.GetYear() * 12 + limit.GetMonth() - 1};
    for (int step = 0; step <= kMonthsBack && month.Year() >= 100; ++step, --month.value) {
        std::optional<DateTime> best;
        ForEachRunInMonth(items, month.Year(), month.Month(), [&](const DateTime& cand, const MonthlyItem&) {
            if (cand < limit && (!best || cand > *best)) best = cand;
        });
        if (best) return NotBeforeStart(*best, schedule);
        // Earlier months hold only earlier runs; none of them can lie after the start.
        if (DateTime::FromParts(month.Year(), month.Month(), 1) <= schedule.startingTime) break;
    }
    return std::nullopt;
}

std::optional<DateTime> PreviousCandidate(const DateTime& now, TaskRecord& task) {
    ScheduleInfo& schedule = task.scheduleInfo;
    switch (schedule.type) {
        case ScheduleType::daily: return PreviousDaily(now, schedule);
        case ScheduleType::weekly: return PreviousWeekly(now, schedule);
        case ScheduleType::monthly: return PreviousInMonths(now, task, MonthListKind::monthly);
        case ScheduleType::yearly: return PreviousInMonths(now, task, MonthListKind::yearly);
        case ScheduleType::once: return PreviousOnce(now, schedule);
        case ScheduleType::repeating: return PreviousRepeating(now, schedule);
        case ScheduleType::countDown: return PreviousCountDown(now, schedule);
        case ScheduleType::atLogon:
        case ScheduleType::placeholder: break;
    }
    return std::nullopt;
}

}  // namespace

std::string PreviousRun(const DateTime& now, TaskRecord& task) {
    ScheduleInfo& schedule = task.scheduleInfo;
    std::optional<DateTime> previous;
    bool boundedByStart = schedule.type != ScheduleType::once && schedule.type != ScheduleType::countDown;
    if (task.enabled && !(boundedByStart && schedule.startingTime > now))
        previous = PreviousCandidate(now, task);
    schedule.havePreviousRunTime = previous.has_value();
    if (!previous) return NeverText();
    schedule.previousRunTime = *previous;
    return RunInstantText(*previous);
}

}  // namespace tidewell
