#include "overview/schedule_statistics.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskRecord WithNextRun(ScheduleType type, bool haveNext) {
    TaskRecord task = ScheduledTask(type);
    task.scheduleInfo.haveNextRunTime = haveNext;
    return task;
}

TEST(ScheduleStatistics, CountsPerTypeWithoutThePlaceholder) {
    TaskList mixed;
    mixed.Add(WithNextRun(ScheduleType::daily, true));
    mixed.Add(WithNextRun(ScheduleType::daily, false));
    mixed.Add(WithNextRun(ScheduleType::daily, true));
    mixed.Add(MakePlaceholderTask());
    mixed.Add(WithNextRun(ScheduleType::once, false));
    EXPECT_EQ(ScheduleStatistics(mixed),
              "Summary\r\n=======\r\nTotal: 4 \tActive: 2 \tExpired: 2\r\n\r\nBreakdown\r\n=========\r\n"
              "Daily\r\nTotal: 3 \tActive: 2 \tExpired: 1\r\n\r\n"
              "Once or Several Times\r\nTotal: 1 \tActive: 0 \tExpired: 1");
    EXPECT_EQ(ScheduleStatistics(TaskList{}), "Summary\r\n=======\r\nTotal: 0 \tActive: 0 \tExpired: 0");
}

}  // namespace
}  // namespace tidewell
