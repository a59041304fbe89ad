// Next, previous and following runs checked against an independent walk over
// the calendar, day by day, for many generated tasks of every type.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "support/calendar_walk.h"
#include "support/task_builder.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int64_t kDay = 86400;
constexpr int kWindowDays = 430;  // more than thirteen months on either side

// A repeating schedule has too many instants to list them all: those around
// now and around the ending time are the ones the checks ask about.
void AddRepeatingInstants(const ScheduleInfo& schedule, const DateTime& now,
                          std::vector<DateTime>& instants) {
    int64_t period = schedule.repeatQuantity * UnitSeconds(schedule.repeatUnit);
    auto addAround = [&](const DateTime& centre, int64_t before, int64_t after) {
        int64_t k =
            std::max<int64_t>(0, (centre - schedule.startingTime).GetTotalSeconds() / period - before);
        for (int64_t last = k + before + after; k <= last; ++k)
            instants.push_back(schedule.startingTime + TimeSpan::FromSeconds(k * period));
    };
    addAround(now, 2, 20);
    if (schedule.haveEndingTime) addAround(schedule.endingTime, 2, 2);
}

// Every scheduled instant of the task between two days, by walking each day.
std::vector<DateTime> WalkInstants(const TaskRecord& task, const DateTime& now, int64_t firstDay,
                                   int64_t lastDay) {
    std::vector<DateTime> instants;
    for (int64_t d = firstDay; d <= lastDay; ++d)
        for (const DateTime& t : ListInstantsOfDay(task, d)) instants.push_back(t);
    if (task.scheduleInfo.type == ScheduleType::repeating)
        AddRepeatingInstants(task.scheduleInfo, now, instants);
    std::sort(instants.begin(), instants.end());
    instants.erase(std::unique(instants.begin(), instants.end()), instants.end());
    return instants;
}

bool InsideBounds(const TaskRecord& task, const DateTime& t) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type == ScheduleType::once) return true;
    if (t < schedule.startingTime) return false;
    return !(schedule.haveEndingTime && t > schedule.endingTime);
}

std::optional<DateTime> ExpectedNext(const TaskRecord& task, const std::vector<DateTime>& instants,
                                     const DateTime& now) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type == ScheduleType::repeating && schedule.startingTime > now) return schedule.startingTime;
    if (schedule.type != ScheduleType::once && schedule.haveEndingTime && schedule.endingTime < now)
        return {};
    for (const DateTime& t : instants)
        if (t > now && InsideBounds(task, t)) return t;
    return {};
}

std::optional<DateTime> ExpectedPrevious(const TaskRecord& task, const std::vector<DateTime>& instants,
                                         const DateTime& now) {
    if (task.scheduleInfo.type != ScheduleType::once && task.scheduleInfo.startingTime > now) return {};
    std::optional<DateTime> previous;
    for (const DateTime& t : instants)
        if (t < now && InsideBounds(task, t)) previous = t;
    return previous;
}

class ScheduleWalk : public ::testing::TestWithParam<ScheduleType> {};

TEST_P(ScheduleWalk, NextPreviousAndFollowingRunsMatchTheWalk) {
    std::mt19937 random(20060313u + static_cast<unsigned>(GetParam()));
    const DateTime around = At(2006, 3, 13, 12);
    for (int i = 0; i < 150; ++i) {
        TaskRecord task = GenerateTask(random, GetParam(), around);
        DateTime now = around + TimeSpan::FromSeconds(
                                    std::uniform_int_distribution<int64_t>(-40 * kDay, 40 * kDay)(random));
        int64_t firstDay = std::min(now, task.scheduleInfo.startingTime).DayNumber() - kWindowDays;
        int64_t lastDay = std::max(now, task.scheduleInfo.startingTime).DayNumber() + kWindowDays;
        std::vector<DateTime> instants = WalkInstants(task, now, firstDay, lastDay);
        std::string note = "task " + std::to_string(i) + " now " + now.Format(kStorageFormat);

        TaskRecord computed = task;
        NextRunTime(now, computed);
        std::optional<DateTime> next = ExpectedNext(task, instants, now);
        ASSERT_EQ(computed.scheduleInfo.haveNextRunTime, next.has_value()) << note;
        if (next) {
            ASSERT_EQ(computed.scheduleInfo.nextRunTime, *next) << note;
        }

        PreviousRun(now, computed);
        std::optional<DateTime> previous = ExpectedPrevious(task, instants, now);
        ASSERT_EQ(computed.scheduleInfo.havePreviousRunTime, previous.has_value()) << note;
        if (previous) {
            ASSERT_EQ(computed.scheduleInfo.previousRunTime, *previous) << note;
            ASSERT_LT(*previous, now) << note;
        }

        // Successive runs, each asked from the one before it, strictly increase
        // and skip no scheduled instant.
        for (int step = 0; step < 12 && computed.scheduleInfo.haveNextRunTime; ++step) {
            DateTime from = computed.scheduleInfo.nextRunTime;
            ASSERT_GT(from, now) << note;
            NextRunTime(from, computed);
            std::optional<DateTime> following = ExpectedNext(task, instants, from);
            if (from.DayNumber() + 400 > lastDay) break;  // beyond the walked window
            ASSERT_EQ(computed.scheduleInfo.haveNextRunTime, following.has_value())
                << note << " step " << step;
            if (following) {
                ASSERT_EQ(computed.scheduleInfo.nextRunTime, *following) << note << " step " << step;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryListType, ScheduleWalk,
                         ::testing::Values(ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly,
                                           ScheduleType::yearly, ScheduleType::once, ScheduleType::repeating),
                         [](const auto& param) { return std::to_string(static_cast<int>(param.param)); });

}  // namespace
}  // namespace tidewell
