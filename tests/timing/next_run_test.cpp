#include "timing/next_run.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"
#include "timing/run_text.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

struct NextRunCase {
    const char* note;
    TaskRecord task;
    DateTime now;
    std::optional<DateTime> expected;  // nullopt: no next run
};

void ExpectNextRun(const NextRunCase& c) {
    TaskRecord task = c.task;
    std::string text = NextRunTime(c.now, task);
    if (!c.expected) {
        EXPECT_FALSE(task.scheduleInfo.haveNextRunTime) << c.note;
        EXPECT_EQ(text, "Never") << c.note;
        return;
    }
    EXPECT_TRUE(task.scheduleInfo.haveNextRunTime) << c.note;
    EXPECT_EQ(task.scheduleInfo.nextRunTime.Format(kStorageFormat), c.expected->Format(kStorageFormat))
        << c.note;
    EXPECT_EQ(text, RunInstantText(*c.expected)) << c.note;
}

TaskRecord WithEnding(TaskRecord task, DateTime ending) {
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = ending;
    return task;
}

TaskRecord WithStart(TaskRecord task, DateTime start) {
    task.scheduleInfo.startingTime = start;
    return task;
}

TaskRecord Disabled(TaskRecord task) {
    task.enabled = false;
    return task;
}

TaskRecord CountDownTask(DateTime start, bool running) {
    TaskRecord task = ScheduledTask(ScheduleType::countDown);
    task.scheduleInfo.startingTime = start;
    task.scheduleInfo.countDownRunning = running;
    return task;
}

// What the calendar walk does not reach: count-downs, states, bounds met exactly and the last day.
TEST(NextRunTime, DailyWeeklyOnceRepeatingCountDown) {
    const NextRunCase cases[] = {
        {"a run exactly at the ending time counts",
         WithEnding(DailyTask({TimeOfDayValue(8)}), At(2006, 3, 14, 8)), At(2006, 3, 13, 9),
         At(2006, 3, 14, 8)},
        {"repeating starts in the future even past its end",
         WithEnding(RepeatingTask(At(2006, 6, 1), 1, TimeUnit::hours), At(2006, 5, 1)), At(2006, 4, 1),
         At(2006, 6, 1)},
        {"repeating quantity 0", RepeatingTask(At(2006, 1, 1), 0, TimeUnit::hours), At(2006, 3, 1),
         std::nullopt},
        {"count-down due", CountDownTask(At(2006, 3, 1, 10), true), At(2006, 3, 1, 9), At(2006, 3, 1, 10)},
        {"count-down passed", CountDownTask(At(2006, 3, 1, 10), true), At(2006, 3, 1, 10), std::nullopt},
        {"paused count-down", CountDownTask(At(2006, 3, 1, 10), false), At(2006, 3, 1, 9), std::nullopt},
        {"count-down ignores the ending time",
         WithEnding(CountDownTask(At(2006, 3, 1, 10), true), At(2006, 1, 1)), At(2006, 3, 1, 9),
         At(2006, 3, 1, 10)},
        {"disabled", Disabled(DailyTask({TimeOfDayValue(8)})), At(2006, 3, 1), std::nullopt},
        // Regression: runs past 9999-12-31 were reported as due at an invalid instant.
        {"daily after the last representable day", DailyTask({TimeOfDayValue(8)}), At(9999, 12, 31, 9),
         std::nullopt},
        {"weekly after the last representable day", WeeklyTask({{1, TimeOfDayValue(8)}}), At(9999, 12, 31, 9),
         std::nullopt},
        {"repeating after the last representable day", RepeatingTask(At(2006, 1, 1), 1, TimeUnit::days),
         At(9999, 12, 31, 9), std::nullopt},
    };
    for (const NextRunCase& c : cases) ExpectNextRun(c);
}

TEST(NextRunTime, EmptyListsAndDisabledTasksKeepTheNextRunValue) {
    std::vector<TaskRecord> tasks = {Disabled(DailyTask({TimeOfDayValue(8)}))};
    for (ScheduleType type : {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly,
                              ScheduleType::yearly, ScheduleType::once}) {
        tasks.push_back(ScheduledTask(type));
    }
    for (TaskRecord& task : tasks) {
        task.scheduleInfo.haveNextRunTime = true;
        task.scheduleInfo.nextRunTime = At(2006, 1, 1);
        EXPECT_EQ(NextRunTime(At(2006, 3, 1), task), "Never");
        EXPECT_EQ(task.scheduleInfo.haveNextRunTime, task.enabled);  // an empty list changes nothing
        EXPECT_EQ(task.scheduleInfo.nextRunTime, At(2006, 1, 1));
    }
}

// What the calendar walk does not reach: bounds, states and the first representable day.
TEST(PreviousRun, LatestScheduledInstantBeforeNowInsideTheBounds) {
    const NextRunCase cases[] = {
        {"a run exactly at the end", WithEnding(DailyTask({TimeOfDayValue(8)}), At(2006, 2, 10, 8)),
         At(2006, 3, 13, 12), At(2006, 2, 10, 8)},
        {"repeating at its start", RepeatingTask(At(2006, 1, 1), 90, TimeUnit::minutes), At(2006, 1, 1),
         std::nullopt},
        {"count-down passed", CountDownTask(At(2006, 3, 1), true), At(2006, 3, 2), At(2006, 3, 1)},
        {"paused count-down", CountDownTask(At(2006, 3, 1), false), At(2006, 3, 2), std::nullopt},
        {"disabled", Disabled(DailyTask({TimeOfDayValue(8)})), At(2006, 3, 13, 9), std::nullopt},
        {"at logon", ScheduledTask(ScheduleType::atLogon), At(2006, 3, 2), std::nullopt},
        {"daily before the first representable day", WithStart(DailyTask({TimeOfDayValue(8)}), At(100, 1, 1)),
         At(100, 1, 1, 7), std::nullopt},
        {"weekly before the first representable day",
         WithStart(WeeklyTask({{7, TimeOfDayValue(8)}}), At(100, 1, 1)), At(100, 1, 1, 7), std::nullopt},
    };
    for (const NextRunCase& c : cases) {
        TaskRecord task = c.task;
        const std::string text = PreviousRun(c.now, task);
        EXPECT_EQ(task.scheduleInfo.havePreviousRunTime, c.expected.has_value()) << c.note;
        if (c.expected) {
            EXPECT_EQ(task.scheduleInfo.previousRunTime, *c.expected) << c.note;
        } else {
            EXPECT_EQ(text, "Never") << c.note;
        }
    }
}

}  // namespace
}  // namespace tidewell
