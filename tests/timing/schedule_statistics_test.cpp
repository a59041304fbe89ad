#include "timing/schedule_statistics.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"
#include "text/language.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskRecord WithNextRun(TaskRecord task, bool haveNext) {
    task.scheduleInfo.haveNextRunTime = haveNext;
    return task;
}

TEST(ScheduleStatistics, Reports) {
    TaskList empty;
    TaskList mixed;
    mixed.Add(WithNextRun(ScheduledTask(ScheduleType::daily), true));
    mixed.Add(WithNextRun(ScheduledTask(ScheduleType::daily), false));
    mixed.Add(WithNextRun(ScheduledTask(ScheduleType::daily), true));
    mixed.Add(MakePlaceholderTask());
    mixed.Add(WithNextRun(ScheduledTask(ScheduleType::once), false));
    struct Case {
        const char* note;
        const TaskList& tasks;
        std::string english, chinese;
    };
    const Case cases[] = {
        {"no tasks", empty, "Summary\r\n=======\r\nTotal: 0 \tActive: 0 \tExpired: 0",
         "摘要\r\n====\r\n总计: 0 \t有效: 0 \t已过期: 0"},
        {"three daily and one once, placeholder skipped", mixed,
         "Summary\r\n=======\r\nTotal: 4 \tActive: 2 \tExpired: 2\r\n\r\nBreakdown\r\n=========\r\n"
         "Daily\r\nTotal: 3 \tActive: 2 \tExpired: 1\r\n\r\n"
         "Once or Several Times\r\nTotal: 1 \tActive: 0 \tExpired: 1",
         "摘要\r\n====\r\n总计: 4 \t有效: 2 \t已过期: 2\r\n\r\n明细\r\n====\r\n"
         "每天\r\n总计: 3 \t有效: 2 \t已过期: 1\r\n\r\n"
         "一次或多次\r\n总计: 1 \t有效: 0 \t已过期: 1"},
    };
    for (const Case& c : cases) {
        ResetLanguage();
        EXPECT_EQ(ScheduleStatistics(c.tasks), c.english) << c.note;
        SetLanguage(kLcidSimplifiedChinese);
        EXPECT_EQ(ScheduleStatistics(c.tasks), c.chinese) << c.note;
    }
    ResetLanguage();
}

}  // namespace
}  // namespace tidewell
