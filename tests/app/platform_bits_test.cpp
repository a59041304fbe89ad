#include <gtest/gtest.h>

#include "app/program/single_instance.h"
#include "overview/task_texts.h"
#include "support/temp_dir.h"
#include "text/list_texts.h"
#include "text/messages.h"

namespace tidewell {
namespace {

TEST(SingleInstanceTest, SecondHolderIsToldAndStaleSocketsAreReplaced) {
    testing::TempDir runtime;
    const std::string path = InstancePath(runtime.Path(), 1000);
    EXPECT_EQ(path, runtime.File("Verimont_Tidewell-1000"));
    testing::WriteFileText(path, "left by a crash");
    SingleInstance first(path);
    EXPECT_EQ(first.Acquire(), SingleInstance::Outcome::first);
    SingleInstance second(path);
    EXPECT_EQ(second.Acquire(), SingleInstance::Outcome::other);
    EXPECT_FALSE(SingleInstance::Send(runtime.File("nobody"), "show"));
}

TEST(TaskTextsTest, ColumnsOfATask) {
    TaskRecord task;
    EXPECT_EQ(LastRunText(task), LoadMessage(IDS_KLN_NEVER));
    task.scheduleInfo.haveLastRunTime = true;
    task.scheduleInfo.lastRunTime = DateTime::FromParts(2026, 3, 5, 7, 30, 0);
    EXPECT_EQ(LastRunText(task), "3-5-2026 07:30:00");

    task.scheduleInfo.type = ScheduleType::countDown;
    task.scheduleInfo.countDownRunning = false;
    task.enabled = false;
    EXPECT_EQ(TaskStatusText(task), LoadMessage(IDS_KLN_DISABLED) + " " + LoadMessage(IDS_KLN_PAUSED));
}

}  // namespace
}  // namespace tidewell
