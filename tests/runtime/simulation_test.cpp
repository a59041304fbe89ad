#include "runtime/simulation.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "overview/agenda.h"
#include "support/scoped_time_zone.h"
#include "support/task_builder.h"
#include "timing/next_run.h"
#include "timing/run_text.h"

namespace tidewell {
namespace {

using testing::At;
using testing::DailyTask;
using testing::FixedRandom;
using testing::TimeOfDayValue;

TaskRecord Named(TaskRecord task, const char* title) {
    task.title = title;
    task.waitingInfo.quantity = 0;  // no start-up catch-up: only the passes run it
    return task;
}

int64_t Epoch(const DateTime& local) {
    int64_t seconds = 0;
    EXPECT_TRUE(EpochOf(local, seconds));
    return seconds;
}

TaskList Loaded(const std::vector<TaskRecord>& tasks, const DateTime& now) {
    FixedRandom random;
    FixedClock clock(now);
    TaskList list;
    for (TaskRecord task : tasks) {
        GetNextRunString(task, {clock, random});
        PreviousRun(now, task);
        list.Add(std::move(task));
    }
    return list;
}

// Every instant of the task after `from` up to `to`, from the next-run computation alone.
std::vector<DateTime> Instants(TaskRecord task, const DateTime& from, const DateTime& to) {
    std::vector<DateTime> instants;
    DateTime now = from;
    while (NextRunTime(now, task) != NeverText() && task.scheduleInfo.nextRunTime <= to) {
        now = task.scheduleInfo.nextRunTime;
        instants.push_back(now);
    }
    return instants;
}

TEST(SimulationTest, AJitteryWeekRunsEveryInstantExactlyOnce) {
    testing::ScopedTimeZone zone("UTC");
    const DateTime from = At(2026, 3, 2, 0, 0, 30);
    const DateTime to = At(2026, 3, 9, 0, 0, 30);
    TaskRecord weekly = testing::WeeklyTask({WeeklyItem{}});
    weekly.scheduleInfo.weekly[0].time = TimeOfDayValue(12);
    const std::vector<TaskRecord> tasks = {
        Named(DailyTask({TimeOfDayValue(8), TimeOfDayValue(20, 30, 15)}), "daily"),
        Named(weekly, "weekly"),
        Named(testing::RepeatingTask(At(2026, 1, 1, 0, 3), 7, TimeUnit::minutes), "repeating"),
        Named(testing::OnceTask({At(2026, 3, 4, 9, 15, 1), At(2026, 3, 6, 23, 59, 59)}), "once"),
        Named(testing::MonthlyTask({testing::DayOfMonth(5, TimeOfDayValue(10))}), "monthly"),
    };
    TaskList list = Loaded(tasks, from);
    SimulationOptions options;
    options.fromEpoch = Epoch(from);
    options.toEpoch = Epoch(to);
    options.tickJitterMs = 300;
    options.stallEvery = 97;
    options.stallMs = 1500;
    options.seed = 7;
    FixedRandom random;
    const std::vector<SimulatedRun> runs = Simulate(list, options, random);

    std::map<std::string, std::vector<DateTime>> ran;
    for (const SimulatedRun& run : runs) {
        ran[run.title].push_back(run.dueAt);
        EXPECT_GE(run.ranAt, run.dueAt) << run.title;
        EXPECT_LE((run.ranAt - run.dueAt).GetTotalSeconds(), 3) << run.title;
    }
    for (const TaskRecord& task : tasks) {
        const std::vector<DateTime> expected = Instants(task, from, to);
        EXPECT_FALSE(expected.empty()) << task.title;
        EXPECT_EQ(ran[task.title], expected) << task.title;
    }
}

// A Daily task inside the spring gap, one inside the repeated autumn hour, and a repeating task
// across both nights, in zones with one-hour and half-hour shifts.
TEST(SimulationTest, DaylightSavingNights) {
    struct Case {
        const char* zone;
        DateTime springNight;  // local midnight before the gap
        DateTime inGap;
        DateTime autumnNight;
        DateTime inRepeatedHour;
        size_t springRepeats;  // ten-minute runs up to 05:00 local: those in the gap are one run
    };
    const Case cases[] = {
        {"Europe/Berlin", At(2026, 3, 29), At(2026, 3, 29, 2, 30), At(2026, 10, 25), At(2026, 10, 25, 2, 30),
         24},
        {"America/New_York", At(2026, 3, 8), At(2026, 3, 8, 2, 30), At(2026, 11, 1), At(2026, 11, 1, 1, 30),
         24},
        {"Australia/Lord_Howe", At(2026, 10, 4), At(2026, 10, 4, 2, 15), At(2026, 4, 5),
         At(2026, 4, 5, 1, 45), 27},
    };
    for (const Case& c : cases) {
        testing::ScopedTimeZone zone(c.zone);
        for (bool spring : {true, false}) {
            const DateTime night = spring ? c.springNight : c.autumnNight;
            const DateTime at = spring ? c.inGap : c.inRepeatedHour;
            const std::vector<TaskRecord> tasks = {
                Named(DailyTask({TimeOfDayValue(at.GetHour(), at.GetMinute())}), "daily"),
                Named(testing::RepeatingTask(At(2026, 1, 1), 10, TimeUnit::minutes), "repeating"),
            };
            TaskList list = Loaded(tasks, night);
            const DateTime end = night + TimeSpan::FromSeconds(5 * 3600);
            // The agenda lists each run when the passes make it, not at a time the clock skips.
            std::map<std::string, std::vector<DateTime>> listed, made;
            for (const AgendaRun& run : ComputeAgenda(list, night + TimeSpan::FromSeconds(1), end).runs)
                listed[list[run.task].title].push_back(run.time);
            SimulationOptions options;
            options.fromEpoch = Epoch(night);
            options.toEpoch = Epoch(end);
            FixedRandom random;
            std::vector<DateTime> daily, repeating;
            for (const SimulatedRun& run : Simulate(list, options, random)) {
                (run.title == std::string("daily") ? daily : repeating).push_back(run.dueAt);
                made[run.title].push_back(run.ranAt);
            }
            const std::string name = std::string(c.zone) + (spring ? " spring" : " autumn");
            EXPECT_EQ(listed, made) << name;
            ASSERT_EQ(daily.size(), 1u) << name;
            EXPECT_EQ(daily[0], at) << name;
            for (size_t i = 1; i < repeating.size(); ++i)
                EXPECT_LT(repeating[i - 1], repeating[i]) << name << ": a repeated run";
            EXPECT_EQ(repeating.size(), spring ? c.springRepeats : 30u) << name;
        }
    }
}

}  // namespace
}  // namespace tidewell
