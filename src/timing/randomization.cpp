#include "timing/randomization.h"

#include <algorithm>

#include "timing/next_run.h"

namespace tidewell {
namespace {

struct PeriodBounds {
    ValidPeriodResult result;
    std::optional<DateTime> following;  // the run after the next one, when known
};

int64_t SecondsBetween(const DateTime& from, const DateTime& to) {
    return (to - from).GetTotalSeconds();
}

std::optional<DateTime> FollowingRunWithoutRandomness(TaskRecord& task, const NextRunContext& context) {
    task.randomizationInfo.enable = false;
    FollowingRunResult following = FollowingRun(task, context);
    task.randomizationInfo.enable = true;
    if (!following.found) return std::nullopt;
    return following.time;
}

std::optional<PeriodBounds> ComputeBounds(TaskRecord& task, const NextRunContext& context) {
    PeriodBounds bounds;
    RandomizationInfo& random = task.randomizationInfo;
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (random.enable) {
        int64_t toEnding = kMaxRandomPeriodSeconds;
        if (schedule.haveEndingTime) toEnding = SecondsBetween(schedule.nextRunTime, schedule.endingTime);
        int64_t toFollowing = kMaxRandomPeriodSeconds;
        if (toEnding >= 1 && schedule.type != ScheduleType::atLogon) {
            bounds.following = FollowingRunWithoutRandomness(task, context);
            if (bounds.following) toFollowing = SecondsBetween(schedule.nextRunTime, *bounds.following);
        }
        int64_t room = std::min(toEnding, toFollowing);
        if (random.adjustValidRp && room < bounds.result.limit)
            bounds.result.limit = std::max<int64_t>(room, 0);
        if (room < 0 || toFollowing < 0) {
            random.enable = false;
            return std::nullopt;
        }
    }
    if (bounds.result.limit < random.rpTotalSeconds)
        random.rpTotalSeconds = static_cast<int32_t>(bounds.result.limit);
    bounds.result.display = SplitPeriod(random.rpTotalSeconds);
    return bounds;
}

std::optional<ValidPeriodResult> DecideFinalTime(TaskRecord& task, const NextRunContext& context) {
    std::optional<PeriodBounds> bounds = ComputeBounds(task, context);
    if (!bounds) return std::nullopt;
    RandomizationInfo& random = task.randomizationInfo;
    const ScheduleInfo& schedule = task.scheduleInfo;
    // No room for a draw: the task runs at its scheduled time.
    int64_t offset = random.rpTotalSeconds >= 1 ? context.random.DrawOneTo(random.rpTotalSeconds) : 0;
    random.finalTime = schedule.nextRunTime + TimeSpan::FromSeconds(offset);
    random.finalSet = true;
    // Every draw sets the flag afresh, so that it describes the final time it belongs to.
    random.overTime = false;
    if (random.enable && !random.adjustValidRp) {
        bool pastEnding = schedule.haveEndingTime && schedule.endingTime < random.finalTime;
        bool pastFollowing = bounds->following && *bounds->following < random.finalTime;
        random.overTime = pastEnding || pastFollowing;
    }
    return bounds->result;
}

}  // namespace

PeriodDisplay SplitPeriod(int64_t s) {
    if (s > kMaxRandomPeriodSeconds) return {12000, TimeUnit::hours};
    if (s < 60) return {s, TimeUnit::seconds};
    if (s < 3600)
        return s % 60 == 0 ? PeriodDisplay{s / 60, TimeUnit::minutes} : PeriodDisplay{s, TimeUnit::seconds};
    if (s < 12000) {
        if (s % 3600 == 0) return {s / 3600, TimeUnit::hours};
        if (s % 60 == 0) return {s / 60, TimeUnit::minutes};
        return {s, TimeUnit::seconds};
    }
    if (s < 720000)
        return s % 3600 == 0 ? PeriodDisplay{s / 3600, TimeUnit::hours}
                             : PeriodDisplay{s / 60, TimeUnit::minutes};
    return {s / 3600, TimeUnit::hours};
}

std::optional<ValidPeriodResult> ValidPeriod(TaskRecord& task, const NextRunContext& context) {
    std::optional<PeriodBounds> bounds = ComputeBounds(task, context);
    if (!bounds) return std::nullopt;
    return bounds->result;
}

bool Decide(TaskRecord& task, const NextRunContext& context) {
    return DecideFinalTime(task, context).has_value();
}

std::optional<ValidPeriodResult> Randomize(TaskRecord& task, int64_t rp, int32_t mode,
                                           const NextRunContext& context) {
    switch (static_cast<RandomizeMode>(mode)) {
        case RandomizeMode::splitPeriod: return ValidPeriodResult{kMaxRandomPeriodSeconds, SplitPeriod(rp)};
        case RandomizeMode::validPeriod: return ValidPeriod(task, context);
        case RandomizeMode::decide: return DecideFinalTime(task, context);
    }
    return std::nullopt;
}

bool RefreshRandom(TaskRecord& task, bool force, const NextRunContext& context) {
    RandomizationInfo& random = task.randomizationInfo;
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (!schedule.haveNextRunTime || !random.enable) {
        random.finalSet = false;
        return false;
    }
    if (random.finalSet && context.clock.Now() < schedule.nextRunTime) return false;
    if (!ValidPeriod(task, context)) return false;
    int64_t offset = SecondsBetween(schedule.nextRunTime, random.finalTime);
    if (offset >= 1 && offset <= random.rpTotalSeconds && !force) return true;
    Decide(task, context);
    return true;
}

void DecideRandomTimeWhenSet(TaskRecord& task, const NextRunContext& context) {
    Decide(task, context);
}

}  // namespace tidewell
