#include "overview/task_lookup.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskList Titled(std::initializer_list<const char*> titles) {
    TaskList tasks;
    for (const char* title : titles) tasks.Add(testing::Titled(DailyTask({TimeOfDayValue(9)}), title));
    return tasks;
}

TEST(TaskLookup, NextDueTaskSkipsDisabledAndTasksWithoutARun) {
    TaskList tasks = Titled({"late", "early but disabled", "none", "early", "tie"});
    const DateTime times[] = {At(2026, 12, 9), At(2026, 12, 7), At(2026, 12, 1), At(2026, 12, 8),
                              At(2026, 12, 8)};
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        tasks[i].scheduleInfo.haveNextRunTime = i != 2;
        tasks[i].scheduleInfo.nextRunTime = times[i];
    }
    tasks[1].enabled = false;
    EXPECT_EQ(NextDueTask(tasks), 3u);
    EXPECT_EQ(NextDueTask(TaskList{}), std::nullopt);
}

}  // namespace
}  // namespace tidewell
