#include "timing/post_load_update.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/task_builder.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// A list entry: the task with its title, last run and starting time.
TaskRecord Entry(TaskRecord task, std::string title, std::optional<DateTime> lastRun = std::nullopt,
                 DateTime start = At(2000, 1, 1)) {
    task.title = std::move(title);
    task.scheduleInfo.haveLastRunTime = lastRun.has_value();
    task.scheduleInfo.lastRunTime = lastRun.value_or(DateTime{});
    task.scheduleInfo.startingTime = start;
    return task;
}

TEST(PostLoadUpdate, DisplayOrderWithPlaceholdersAndTheClockTaskLast) {
    TestClock clock(At(2006, 3, 13, 9));
    FixedRandom random;
    TaskList list;
    TaskRecord clockSync = Entry(MonthlyTask({WeekdayOfMonth(1, 1, TimeOfDayValue(10))}), "clock");
    clockSync.isClockSyncTask = true;
    list.Add(clockSync);
    list.Add(Entry(OnceTask({At(2006, 5, 1)}), "once later"));
    list.Add(Entry(DailyTask({TimeOfDayValue(20)}), "daily evening"));
    list.Add(Entry(OnceTask({At(2006, 1, 1)}), "once ran", At(2006, 1, 1)));
    list.Add(Entry(OnceTask({At(2005, 1, 1)}), "once old start", std::nullopt, At(2004, 1, 1)));
    list.Add(Entry(OnceTask({At(2005, 1, 1)}), "once new start", std::nullopt, At(2005, 1, 1)));
    list.Add(Entry(OnceTask({At(2006, 4, 1)}), "once sooner"));
    list.Add(Entry(DailyTask({TimeOfDayValue(10)}), "daily morning"));
    TaskRecord unknown = Entry(DailyTask({TimeOfDayValue(10)}), "unknown type");
    unknown.scheduleInfo.type = static_cast<ScheduleType>(8);
    list.Add(unknown);
    list.Add(MakePlaceholderTask());

    const auto titles = [&] {
        std::vector<std::string> shown;
        for (const TaskRecord& task : list) shown.push_back(IsPlaceholderTask(task) ? "--" : task.title);
        return shown;
    };
    const std::vector<std::string> expected = {"daily morning",  "daily evening",  "--",
                                               "once sooner",    "once later",     "once ran",
                                               "once new start", "once old start", "clock"};
    PostLoadUpdate(list, {clock, random});
    EXPECT_EQ(titles(), expected);
    PostLoadUpdate(list, {clock, random});
    EXPECT_EQ(titles(), expected) << "a second pass keeps the order and adds no placeholder";
    EXPECT_TRUE(list[0].scheduleInfo.haveNextRunTime);
    EXPECT_EQ(list[0].scheduleInfo.nextRunTime, At(2006, 3, 13, 10));
    EXPECT_TRUE(list[0].scheduleInfo.havePreviousRunTime);
    EXPECT_EQ(list[0].scheduleInfo.previousRunTime, At(2006, 3, 12, 10));
}

}  // namespace
}  // namespace tidewell
