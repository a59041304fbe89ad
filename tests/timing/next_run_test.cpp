#include "timing/next_run.h"
#include "support/test_clock.h"

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

// Monday 13 March 2006 is the reference week.
const DateTime kMonday = At(2006, 3, 13);

TEST(NextRunTime, DailyWeeklyOnceRepeatingCountDown) {
    const NextRunCase cases[] = {
        {"a time equal to now is not after now", DailyTask({TimeOfDayValue(8), TimeOfDayValue(20)}),
         At(2006, 3, 13, 20), At(2006, 3, 14, 8)},
        {"tomorrow's run is after the ending time",
         WithEnding(DailyTask({TimeOfDayValue(8)}), At(2006, 3, 14, 7)), At(2006, 3, 13, 9), std::nullopt},
        {"a run exactly at the ending time counts",
         WithEnding(DailyTask({TimeOfDayValue(8)}), At(2006, 3, 14, 8)), At(2006, 3, 13, 9),
         At(2006, 3, 14, 8)},
        {"no run before the starting time", WithStart(DailyTask({TimeOfDayValue(8)}), At(2006, 3, 20, 12)),
         At(2006, 3, 13, 9), At(2006, 3, 21, 8)},
        {"once: all entries past", OnceTask({At(2006, 1, 1), At(2006, 2, 1)}), At(2006, 3, 1), std::nullopt},
        {"once ignores the ending time", WithEnding(OnceTask({At(2006, 5, 1)}), At(2006, 1, 1)),
         At(2005, 3, 1), At(2006, 5, 1)},
        {"repeating starts in the future even past its end",
         WithEnding(RepeatingTask(At(2006, 6, 1), 1, TimeUnit::hours), At(2006, 5, 1)), At(2006, 4, 1),
         At(2006, 6, 1)},
        {"repeating quantity 0", RepeatingTask(At(2006, 1, 1), 0, TimeUnit::hours), At(2006, 3, 1),
         std::nullopt},
        {"repeating past its ending",
         WithEnding(RepeatingTask(At(2006, 1, 1), 1, TimeUnit::days), At(2006, 1, 3, 12)), At(2006, 1, 3, 1),
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

TEST(NextRunTime, MonthlyAndYearly) {
    DateTime ten = TimeOfDayValue(10);
    const NextRunCase cases[] = {
        {"day 31 clamped to 30 April", MonthlyTask({DayOfMonth(31, ten)}), At(2006, 4, 29, 11),
         At(2006, 4, 30, 10)},
        {"last Friday of February 2009", MonthlyTask({WeekdayOfMonth(5, 4, TimeOfDayValue(18))}),
         At(2009, 2, 1), At(2009, 2, 27, 18)},
        {"the earliest candidate wins, not the first entry",
         MonthlyTask({DayOfMonth(28, ten), WeekdayOfMonth(1, 0, ten)}), At(2006, 5, 29), At(2006, 6, 5, 10)},
        {"yearly leap day", YearlyTask({InMonths(DayOfMonth(29, ten), {2})}), At(2008, 2, 29, 11),
         At(2009, 2, 28, 10)},
        {"ending cuts the month scan",
         WithEnding(MonthlyTask({InMonths(DayOfMonth(1, ten), {9})}), At(2006, 6, 30)), At(2006, 3, 1),
         std::nullopt},
        {"ending the same day before the run",
         WithEnding(MonthlyTask({DayOfMonth(15, ten)}), At(2006, 3, 15, 9)), At(2006, 3, 1), std::nullopt},
        {"start beyond the scan of now",
         WithStart(YearlyTask({InMonths(DayOfMonth(1, ten), {1})}), At(2010, 6, 1)), At(2006, 3, 1),
         At(2011, 1, 1, 10)},
        {"a month entry that selects no month never runs", MonthlyTask({InMonths(DayOfMonth(1, ten), {})}),
         At(2006, 3, 1), std::nullopt},
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

TEST(NextRunTime, DailyDuplicatesAreRemoved) {
    TaskRecord task = DailyTask({TimeOfDayValue(20), TimeOfDayValue(8), TimeOfDayValue(20)});
    NextRunTime(At(2006, 3, 1), task);
    ASSERT_EQ(task.scheduleInfo.daily.size(), 2u);
    EXPECT_EQ(task.scheduleInfo.daily[0], TimeOfDayValue(8));
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

TEST(NextRunColumnText, AtLogonTexts) {
    TaskRecord task = ScheduledTask(ScheduleType::atLogon);
    task.scheduleInfo.startingTime = At(2006, 3, 5);
    struct Case {
        bool haveEnding;
        DateTime now;
        const char* text;
    };
    const Case cases[] = {
        {false, At(2006, 3, 1), "At next logon(Since 3-5-06)"},
        {true, At(2006, 3, 1), "At next logon(3-5-06 - 4-10-07)"},
        {true, At(2007, 4, 11), "Never"},
    };
    for (const Case& c : cases) {
        TaskRecord copy = task;
        copy.scheduleInfo.haveEndingTime = c.haveEnding;
        copy.scheduleInfo.endingTime = At(2007, 4, 10);
        EXPECT_EQ(NextRunTime(c.now, copy), c.text);
        EXPECT_EQ(copy.scheduleInfo.haveNextRunTime, std::string(c.text) != "Never");
    }
}

TEST(FollowingRun, IsTheRunStrictlyAfterTheNextOne) {
    TestClock clock(At(2006, 1, 1, 0, 0, 30));
    testing::FixedRandom random;
    NextRunContext context{clock, random};
    struct Case {
        TaskRecord task;
        std::optional<DateTime> following;
    };
    const Case cases[] = {
        {RepeatingTask(At(2006, 1, 1), 1, TimeUnit::seconds), At(2006, 1, 1, 0, 0, 32)},
        {DailyTask({TimeOfDayValue(8)}), At(2006, 1, 2, 8)},
        {OnceTask({At(2006, 2, 1)}), std::nullopt},
        {CountDownTask(At(2006, 1, 2), true), std::nullopt},
    };
    for (const Case& c : cases) {
        FollowingRunResult result = FollowingRun(c.task, context);
        EXPECT_EQ(result.found, c.following.has_value());
        if (c.following) {
            EXPECT_EQ(result.time, *c.following);
        } else {
            EXPECT_EQ(result.text, "Never");
        }
    }
}

}  // namespace
}  // namespace tidewell
