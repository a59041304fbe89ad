#include <gtest/gtest.h>

#include "model/list_entry_text.h"
#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "model/task_list.h"
#include "support/fake_settings.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using testing::FakeSettings;

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
    FakeSettings settings;
    TestClock clock{DateTime::FromParts(2006, 3, 5, 7, 30, 0)};
};

TEST_F(TaskDefaultsTest, NewTaskStartsNowAndEndsAWeekLater) {
    TaskRecord task = NewTask();
    EXPECT_EQ(task.scheduleInfo.startingTime, clock.Now());
    EXPECT_FALSE(task.scheduleInfo.haveEndingTime);
    EXPECT_EQ((task.scheduleInfo.endingTime - task.scheduleInfo.startingTime).GetTotalSeconds(), 7 * 86400);
}

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
        {0, 1, 4, false, TaskType::program, 1, ScheduleType::once},
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

TEST_F(TaskDefaultsTest, RememberedTypesComeBack) {
    TaskRecord task = NewTask();
    task.taskInfo.taskType = TaskType::macro;
    task.soundInfo.type = 1;
    task.scheduleInfo.type = ScheduleType::weekly;
    ASSERT_TRUE(RememberLastTypes(task, settings));
    TaskRecord next = NewTask();
    EXPECT_EQ(next.taskInfo.taskType, TaskType::macro);
    EXPECT_EQ(next.soundInfo.type, 1);
    EXPECT_EQ(next.scheduleInfo.type, ScheduleType::weekly);
}

TEST_F(TaskDefaultsTest, ClockSyncTaskIgnoresTheRememberedTypes) {
    Remember(kLastScheduleTypeValue, 0);
    Remember(kLastSoundTypeValue, 1);
    TaskRecord task;
    MakeClockSyncTask(task, {settings, clock, false});
    EXPECT_TRUE(task.isClockSyncTask);
    EXPECT_FALSE(task.enabled);
    EXPECT_EQ(task.soundInfo.type, 0);
    ASSERT_EQ(task.scheduleInfo.monthly.size(), 1u);
    EXPECT_EQ(MonthlyEntryText(task.scheduleInfo.monthly[0]), "0m;0 11 10:00:00");  // first Tuesday, 10:00
}

TEST(TaskRecord, TitleIsCutToOneHundredCharacters) {
    EXPECT_EQ(CutTitle(std::string(150, 'a')), std::string(100, 'a'));
    std::string chinese;
    for (int i = 0; i < 120; ++i) chinese += "任";
    EXPECT_EQ(CutTitle(chinese).size(), 300u);  // 100 characters of 3 bytes, none split
}

TEST(TaskRecord, EnumerationNames) {
    // The stored section names of these two types are crossed over.
    EXPECT_EQ(ScheduleSectionName(ScheduleType::repeating), "Count Down");
    EXPECT_EQ(ScheduleSectionName(ScheduleType::countDown), "Repeating");
    EXPECT_EQ(ScheduleSectionName(ScheduleType::placeholder), "");
    EXPECT_EQ(WindowsOperationFromName(WindowsOperationName(WindowsOperation::logOff)),
              WindowsOperation::logOff);
    EXPECT_EQ(WindowsOperationFromName("logoff"), std::nullopt);  // names are case-sensitive
    EXPECT_EQ(WindowsOperationName(static_cast<WindowsOperation>(9)), "");
}

TEST(TaskRecord, PlaceholderNeedsAllThreeMarks) {
    TaskRecord placeholder = MakePlaceholderTask();
    EXPECT_TRUE(IsPlaceholderTask(placeholder));
    placeholder.title = "x";
    EXPECT_FALSE(IsPlaceholderTask(placeholder));
    TaskRecord task;
    task.status = kPlaceholderStatus;
    EXPECT_FALSE(IsPlaceholderTask(task));
}

TEST(ListEntryText, StoredForms) {
    DateTime time = DateTime::FromParts(1899, 12, 30, 8, 0, 0);
    MonthlyItem byDay;
    byDay.everyMonth = false;
    byDay.months[0] = byDay.months[5] = byDay.months[11] = true;
    byDay.day = 5;
    byDay.time = time;
    EXPECT_EQ(MonthlyEntryText(byDay), "1,6,12m;1 05 08:00:00");
    byDay.day = 21;
    byDay.months.fill(true);
    EXPECT_EQ(MonthlyEntryText(byDay), "0m;1 21 08:00:00");
    byDay.months.fill(false);
    EXPECT_EQ(MonthlyEntryText(byDay), "1 21 08:00:00");
    MonthlyItem byWeekday;
    byWeekday.byDayNumber = false;
    byWeekday.weekOrdinal = 1;
    byWeekday.weekday = 3;
    byWeekday.time = DateTime::FromParts(1899, 12, 30, 9, 30, 0);
    EXPECT_EQ(MonthlyEntryText(byWeekday), "0m;0 13 09:30:00");
    EXPECT_EQ(WeeklyEntryText({7, time}), "7 08:00:00");
    EXPECT_EQ(DailyEntryText(time), "08:00:00");
    EXPECT_EQ(OnceEntryText(DateTime::FromParts(2024, 3, 5, 7, 30, 0)), "2024-03-05 07:30:00");
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

TEST(TaskList, OwnsRecordsAndKeepsTheirAddresses) {
    TaskList list;
    TaskRecord& first = list.Add(TaskRecord{});
    first.title = "first";
    for (int i = 0; i < 100; ++i) list.Add(TaskRecord{});
    EXPECT_EQ(&list[0], &first);
    list.Insert(1, MakePlaceholderTask());
    EXPECT_TRUE(IsPlaceholderTask(list[1]));
    list.Remove(1);
    EXPECT_EQ(list.size(), 101u);
    TaskList copy = list;
    EXPECT_NE(&copy[0], &list[0]);
    EXPECT_EQ(copy[0].title, "first");
    size_t count = 0;
    for (const TaskRecord& record : copy) count += record.title.empty() ? 1 : 0;
    EXPECT_EQ(count, 100u);
    list.Clear();
    EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace tidewell
