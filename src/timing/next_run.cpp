#include "timing/next_run.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "text/messages.h"
#include "timing/list_order.h"
#include "timing/month_runs.h"
#include "timing/randomization.h"
#include "timing/run_text.h"
#include "timing/schedule_bounds.h"

namespace tidewell {
namespace {

// Months searched after the month of now before a month schedule is given up.
constexpr int kMonthsAhead = 12;

// Daily, Weekly, Monthly and Yearly never run before the starting time: the
// search starts one second before it when that lies after now.
DateTime EffectiveNow(const DateTime& now, const ScheduleInfo& schedule) {
    if (!schedule.startingTime.IsValid()) return now;
    DateTime justBeforeStart = schedule.startingTime - TimeSpan::FromSeconds(1);
    return justBeforeStart > now ? justBeforeStart : now;
}

// The result of one schedule type: nullopt for an empty list (nothing changes).
struct Candidate {
    DateTime time;
    bool none = false;
};

std::optional<Candidate> NextDaily(const DateTime& now, ScheduleInfo& schedule) {
    OrderTimes(schedule.daily);
    if (schedule.daily.empty()) return std::nullopt;
    DateTime from = EffectiveNow(now, schedule);
    int64_t today = from.DayNumber();
    for (const DateTime& entry : schedule.daily) {
        DateTime cand = AtTimeOfDay(today, entry);
        if (cand > from) return Candidate{cand, IsEnding(schedule, cand)};
    }
    DateTime cand = AtTimeOfDay(today + 1, schedule.daily.front());
    return Candidate{cand, IsEnding(schedule, cand)};
}

std::optional<Candidate> NextWeekly(const DateTime& now, ScheduleInfo& schedule) {
    OrderWeekly(schedule.weekly);
    if (schedule.weekly.empty()) return std::nullopt;
    DateTime from = EffectiveNow(now, schedule);
    int64_t monday = StartOfWeek(from).DayNumber();
    for (const WeeklyItem& entry : schedule.weekly) {
        DateTime cand = AtTimeOfDay(monday + entry.weekday - 1, entry.time);
        if (cand > from) return Candidate{cand, IsEnding(schedule, cand)};
    }
    const WeeklyItem& first = schedule.weekly.front();
    DateTime cand = AtTimeOfDay(monday + first.weekday + 6, first.time);
    return Candidate{cand, IsEnding(schedule, cand)};
}

std::optional<Candidate> NextOnce(const DateTime& now, ScheduleInfo& schedule) {
    OrderTimes(schedule.once);
    if (schedule.once.empty()) return std::nullopt;
    auto next = std::upper_bound(schedule.once.begin(), schedule.once.end(), now);
    if (next == schedule.once.end()) return Candidate{DateTime(), true};
    return Candidate{*next, false};
}

Candidate NextRepeating(const DateTime& now, const ScheduleInfo& schedule) {
    const DateTime& start = schedule.startingTime;
    if (start > now) return {start, false};
    if (schedule.repeatQuantity <= 0) return {DateTime(), true};
    int64_t period = int64_t{schedule.repeatQuantity} * UnitSeconds(schedule.repeatUnit);
    int64_t elapsed = (now - start).GetTotalSeconds();
    int64_t periods = (elapsed + period) / period;  // strictly after now, also on a run instant
    DateTime cand = start + TimeSpan::FromSeconds(periods * period);
    return {cand, IsEnding(schedule, cand)};
}

Candidate NextCountDown(const DateTime& now, const ScheduleInfo& schedule) {
    if (CountDownFallsDue(schedule) && schedule.startingTime > now) return {schedule.startingTime, false};
    return {DateTime(), true};
}

// The earliest run of a month list after now: the month of now and up to
// twelve months after it; the search ends once a month starts after the ending time.
std::optional<Candidate> NextInMonths(const DateTime& now, TaskRecord& task, MonthListKind kind) {
    std::vector<MonthlyItem>& items = MonthList(task, kind);
    if (items.empty()) return std::nullopt;
    const ScheduleInfo& schedule = task.scheduleInfo;
    DateTime from = EffectiveNow(now, schedule);
    MonthIndex month{from.GetYear() * 12 + from.GetMonth() - 1};
    for (int step = 0; step <= kMonthsAhead; ++step, ++month.value) {
        DateTime firstOfMonth = DateTime::FromParts(month.Year(), month.Month(), 1);
        if (!firstOfMonth.IsValid() || IsEnding(schedule, firstOfMonth)) break;
        std::optional<DateTime> best;
        ForEachRunInMonth(items, month.Year(), month.Month(), [&](const DateTime& cand, const MonthlyItem&) {
            if (cand > from && !IsEnding(schedule, cand) && (!best || cand < *best)) best = cand;
        });
        if (best) return Candidate{*best, false};
    }
    return Candidate{DateTime(), true};
}

std::optional<Candidate> NextCandidate(const DateTime& now, TaskRecord& task) {
    ScheduleInfo& schedule = task.scheduleInfo;
    switch (schedule.type) {
        case ScheduleType::daily: return NextDaily(now, schedule);
        case ScheduleType::weekly: return NextWeekly(now, schedule);
        case ScheduleType::monthly: return NextInMonths(now, task, MonthListKind::monthly);
        case ScheduleType::yearly: return NextInMonths(now, task, MonthListKind::yearly);
        case ScheduleType::once: return NextOnce(now, schedule);
        case ScheduleType::repeating: return NextRepeating(now, schedule);
        case ScheduleType::countDown: return NextCountDown(now, schedule);
        case ScheduleType::atLogon: return Candidate{DateTime(), IsEnding(schedule, now)};
        case ScheduleType::placeholder: break;
    }
    return std::nullopt;
}

bool KeepsEndingOfItsOwn(ScheduleType type) {
    return type == ScheduleType::once || type == ScheduleType::countDown;
}

struct NextRun {
    std::string text;
    bool never;
};

NextRun ComputeNextRun(const DateTime& now, TaskRecord& task) {
    if (!NextRunFields(now, task)) return {NeverText(), true};
    return {NextRunColumnText(now, task), false};
}

}  // namespace

bool NextRunFields(const DateTime& now, TaskRecord& task) {
    ScheduleInfo& schedule = task.scheduleInfo;
    if (!task.enabled) {
        schedule.haveNextRunTime = false;
        return false;
    }
    if (!KeepsEndingOfItsOwn(schedule.type) && schedule.haveEndingTime && schedule.endingTime < now) {
        schedule.haveNextRunTime = false;
        return false;
    }
    std::optional<Candidate> next = NextCandidate(now, task);
    if (!next) return false;
    // A run beyond the last representable instant (year 9999) is no run.
    if (!next->time.IsValid()) next->none = true;
    schedule.haveNextRunTime = !next->none;
    schedule.nextRunTime = next->time;
    return !next->none;
}

std::string NextRunTime(const DateTime& now, TaskRecord& task) {
    return ComputeNextRun(now, task).text;
}

namespace {

NextRun AdvanceNextRun(TaskRecord& task, const NextRunContext& context) {
    DateTime before = task.scheduleInfo.nextRunTime;
    DateTime now = context.clock.Now();
    NextRun next = ComputeNextRun(now, task);
    const RandomizationInfo& random = task.randomizationInfo;
    if (!next.never && random.enable && random.decidedTime == 0) {
        const DateTime& after = task.scheduleInfo.nextRunTime;
        bool moved = after != before || after.GetStatus() != before.GetStatus();
        if (moved || random.finalTime < now) DecideRandomTimeWhenSet(task, context);
    }
    return next;
}

}  // namespace

std::string GetNextRunString(TaskRecord& task, const NextRunContext& context) {
    return AdvanceNextRun(task, context).text;
}

bool GetNextRun(TaskRecord& task, const NextRunContext& context) {
    return !AdvanceNextRun(task, context).never;
}

FollowingRunResult FollowingRun(const TaskRecord& task, const NextRunContext& context) {
    TaskRecord copy = task;
    std::string text = GetNextRunString(copy, context);
    if (!copy.scheduleInfo.haveNextRunTime) return {text, false, {}};
    // The run strictly after the next one: now is the next run itself.
    NextRun following = ComputeNextRun(copy.scheduleInfo.nextRunTime, copy);
    if (following.never) return {following.text, false, {}};
    return {following.text, true, copy.scheduleInfo.nextRunTime};
}

}  // namespace tidewell
