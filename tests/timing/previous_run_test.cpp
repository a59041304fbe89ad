#include <gtest/gtest.h>

#include <tuple>

#include "support/task_builder.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskRecord Bounded(TaskRecord task, DateTime start, std::optional<DateTime> ending = std::nullopt) {
    task.scheduleInfo.startingTime = start;
    task.scheduleInfo.haveEndingTime = ending.has_value();
    if (ending) task.scheduleInfo.endingTime = *ending;
    return task;
}

TaskRecord Disabled(TaskRecord task) {
    task.enabled = false;
    return task;
}

TaskRecord CountDown(DateTime start, bool running) {
    TaskRecord task = ScheduledTask(ScheduleType::countDown);
    task.scheduleInfo.startingTime = start;
    task.scheduleInfo.countDownRunning = running;
    return task;
}

TEST(PreviousRun, LatestScheduledInstantBeforeNowInsideTheBounds) {
    DateTime ten = TimeOfDayValue(10);
    using Case = std::tuple<const char*, TaskRecord, DateTime, std::optional<DateTime>>;
    const Case cases[] = {
        {"daily yesterday's last", DailyTask({TimeOfDayValue(8), TimeOfDayValue(20)}), At(2006, 3, 13, 8),
         At(2006, 3, 12, 20)},
        {"daily run before the start", Bounded(DailyTask({TimeOfDayValue(8)}), At(2006, 3, 13, 9)),
         At(2006, 3, 13, 12), std::nullopt},
        {"daily ended: the last run before the end",
         Bounded(DailyTask({TimeOfDayValue(8)}), At(2006, 1, 1), At(2006, 2, 10, 12)), At(2006, 3, 13, 12),
         At(2006, 2, 10, 8)},
        {"a run exactly at the end",
         Bounded(DailyTask({TimeOfDayValue(8)}), At(2006, 1, 1), At(2006, 2, 10, 8)), At(2006, 3, 13, 12),
         At(2006, 2, 10, 8)},
        {"weekly Sunday", WeeklyTask({{7, ten}, {1, ten}}), At(2006, 3, 19, 11), At(2006, 3, 19, 10)},
        {"once", OnceTask({At(2006, 1, 1), At(2006, 2, 1), At(2006, 4, 1)}), At(2006, 3, 1), At(2006, 2, 1)},
        {"repeating just after a run", RepeatingTask(At(2006, 1, 1), 90, TimeUnit::minutes),
         At(2006, 1, 1, 3, 0, 1), At(2006, 1, 1, 3)},
        {"repeating at its start", RepeatingTask(At(2006, 1, 1), 90, TimeUnit::minutes), At(2006, 1, 1),
         std::nullopt},
        {"repeating ended",
         Bounded(RepeatingTask(At(2006, 1, 1), 1, TimeUnit::hours), At(2006, 1, 1), At(2006, 1, 1, 5, 30)),
         At(2006, 3, 1), At(2006, 1, 1, 5)},
        {"count-down passed", CountDown(At(2006, 3, 1), true), At(2006, 3, 2), At(2006, 3, 1)},
        {"paused count-down", CountDown(At(2006, 3, 1), false), At(2006, 3, 2), std::nullopt},
        {"disabled", Disabled(DailyTask({TimeOfDayValue(8)})), At(2006, 3, 13, 9), std::nullopt},
        {"at logon", ScheduledTask(ScheduleType::atLogon), At(2006, 3, 2), std::nullopt},
        {"monthly clamped day", MonthlyTask({DayOfMonth(31, ten)}), At(2006, 5, 1), At(2006, 4, 30, 10)},
        {"yearly a year back", YearlyTask({InMonths(DayOfMonth(5, TimeOfDayValue(9)), {3})}),
         At(2007, 3, 5, 9), At(2006, 3, 5, 9)},
        {"yearly last week of December", YearlyTask({InMonths(WeekdayOfMonth(5, 6, ten), {12})}),
         At(2007, 12, 1), At(2006, 12, 31, 10)},
        {"monthly only runs before the start", Bounded(MonthlyTask({DayOfMonth(1, ten)}), At(2006, 3, 2)),
         At(2006, 3, 20), std::nullopt},
        {"monthly ended", Bounded(MonthlyTask({DayOfMonth(15, ten)}), At(2005, 1, 1), At(2005, 8, 20)),
         At(2006, 3, 20), At(2005, 8, 15, 10)},
        {"daily before the first representable day", Bounded(DailyTask({TimeOfDayValue(8)}), At(100, 1, 1)),
         At(100, 1, 1, 7), std::nullopt},
        {"weekly before the first representable day",
         Bounded(WeeklyTask({{7, TimeOfDayValue(8)}}), At(100, 1, 1)), At(100, 1, 1, 7), std::nullopt},
    };
    for (const auto& [note, original, now, expected] : cases) {
        TaskRecord task = original;
        std::string text = PreviousRun(now, task);
        EXPECT_EQ(task.scheduleInfo.havePreviousRunTime, expected.has_value()) << note;
        if (expected) {
            EXPECT_EQ(task.scheduleInfo.previousRunTime.Format(kStorageFormat),
                      expected->Format(kStorageFormat))
                << note;
        } else {
            EXPECT_EQ(text, "Never") << note;
        }
    }
}

}  // namespace
}  // namespace tidewell
