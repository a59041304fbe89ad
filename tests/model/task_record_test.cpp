#include <gtest/gtest.h>

#include "model/list_entry_text.h"
#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "model/task_list.h"
#include "platform/memory_settings.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

class TaskDefaultsTest : public ::testing::Test {
protected:
    void Remember(std::string_view name, int value) {
        ASSERT_TRUE(settings.WriteSettingInt(kTaskSettingsSection, name, value));
    }
    TaskRecord NewTask(bool peEdition = false) {
        TaskRecord task;
        ResetToDefaults(task, {settings, clock, peEdition});
        return task;
    }
    MemorySettings settings;
    TestClock clock{DateTime::FromParts(2006, 3, 5, 7, 30, 0)};
};

TEST_F(TaskDefaultsTest, RememberedTypes) {
    struct Case {
        int lastTask, lastSound, lastSchedule;
        bool peEdition;
        TaskType task;
        int sound;
        ScheduleType schedule;
    };
    const Case cases[] = {
        {1, 0, 0, true, TaskType::program, 0, ScheduleType::daily},
        {1, 1, 7, false, TaskType::macro, 1, ScheduleType::atLogon},
        {2, 1, 4, false, TaskType::notice, 0, ScheduleType::once},
        {3, 5, 8, false, TaskType::windowsOperation, 0, ScheduleType::once},
        {4, -1, -1, false, TaskType::program, 0, ScheduleType::once},
        {-1, 2, 6, false, TaskType::program, 2, ScheduleType::countDown},
    };
    for (const Case& c : cases) {
        Remember(kLastTaskTypeValue, c.lastTask);
        Remember(kLastSoundTypeValue, c.lastSound);
        Remember(kLastScheduleTypeValue, c.lastSchedule);
        TaskRecord task = NewTask(c.peEdition);
        EXPECT_EQ(task.taskInfo.taskType, c.task) << c.lastTask;
        EXPECT_EQ(task.soundInfo.type, c.sound) << c.lastSound;
        EXPECT_EQ(task.scheduleInfo.type, c.schedule) << c.lastSchedule;
    }
}

TEST(SameTask, IgnoresRunTimeFieldsButNotTheSchedule) {
    TaskRecord task;
    task.title = "Backup";
    task.scheduleInfo.type = ScheduleType::daily;
    task.scheduleInfo.daily = {DateTime::FromParts(1899, 12, 30, 8, 0, 0)};
    TaskRecord copy;
    CopyTask(copy, task);
    copy.scheduleInfo.haveNextRunTime = true;
    copy.scheduleInfo.nextRunTime = DateTime::FromParts(2030, 1, 1);
    copy.scheduleInfo.haveLastRunTime = true;
    copy.randomizationInfo.finalSet = true;
    EXPECT_TRUE(SameTask(task, copy));

    // A daily time on another date is the same entry: only its time of day is stored.
    copy.scheduleInfo.daily = {DateTime::FromParts(2001, 1, 1, 8, 0, 0)};
    EXPECT_TRUE(SameTask(task, copy));
    copy.scheduleInfo.daily.push_back(DateTime::FromParts(1899, 12, 30, 9, 0, 0));
    EXPECT_FALSE(SameTask(task, copy));

    TaskRecord other = task;
    other.taskInfo.parameter = "-q";
    EXPECT_FALSE(SameTask(task, other));
    other = task;
    other.taskInfo.noticeMsg = "not used by a program task";
    EXPECT_TRUE(SameTask(task, other));
    other = task;
    other.scheduleInfo.startingTime = DateTime::FromParts(2030, 1, 1);
    EXPECT_FALSE(SameTask(task, other));
    other.scheduleInfo.type = task.scheduleInfo.type = ScheduleType::once;
    EXPECT_TRUE(SameTask(task, other));
    other = task;
    other.soundInfo.musicFilePath = "/music.wav";
    EXPECT_TRUE(SameTask(task, other));  // a beep does not use the music path
    other.soundInfo.type = task.soundInfo.type = 1;
    EXPECT_FALSE(SameTask(task, other));
}

}  // namespace
}  // namespace tidewell
