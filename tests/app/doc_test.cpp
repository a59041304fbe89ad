#include "app/main_window/tidewell_doc.h"

#include <gtest/gtest.h>

#include "files/file_faults.h"
#include "platform/memory_settings.h"
#include "support/injected_file_faults.h"
#include "support/recording_message_box.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

// The count-down and enable commands of the list, on a list of one count-down task.
class DocTest : public ::testing::Test {
protected:
    DocTest()
        : m_clock(DateTime::FromParts(2026, 12, 7, 12, 0, 0)),
          m_random(7),
          m_doc(ScheduleStoreContext{m_clock, m_random, m_settings, m_messageBox, {}},
                m_folder.File("schedule.rws")) {
        TaskRecord task;
        task.title = "Tea";
        task.scheduleInfo.type = ScheduleType::countDown;
        task.scheduleInfo.countDownRunning = true;
        task.scheduleInfo.countDownDays = 0;
        task.scheduleInfo.countDownSeconds = 300;
        task.scheduleInfo.startingTime = m_clock.Now() + TimeSpan::FromSeconds(300);
        m_doc.Tasks().Add(task);
    }
    ScheduleInfo& Schedule() { return m_doc.Tasks()[0].scheduleInfo; }

    testing::TempDir m_folder;
    TestClock m_clock;
    StandardRandomSource m_random;
    MemorySettings m_settings;
    RecordingMessageBox m_messageBox;
    CTidewellDoc m_doc;
};

TEST_F(DocTest, PauseKeepsTheRemainingTimeAndContinueCountsItFromNow) {
    m_clock.Set(DateTime::FromParts(2026, 12, 7, 12, 1, 40));  // 200 of the 300 seconds left
    bool enable = true;
    ASSERT_TRUE(m_doc.PauseOrContinueCountDown(0, enable));
    EXPECT_FALSE(enable);
    EXPECT_FALSE(Schedule().countDownRunning);
    EXPECT_EQ(Schedule().countDownDays, 0);
    EXPECT_EQ(Schedule().countDownSeconds, 200);
    EXPECT_FALSE(Schedule().haveNextRunTime);  // a paused count-down does not fall due

    m_clock.Set(DateTime::FromParts(2026, 12, 9, 8, 0, 0));
    ASSERT_TRUE(m_doc.PauseOrContinueCountDown(0, enable));
    EXPECT_TRUE(Schedule().countDownRunning);
    EXPECT_EQ(Schedule().startingTime, DateTime::FromParts(2026, 12, 9, 8, 3, 20));
}

TEST_F(DocTest, ScheduleThatCannotBeReadIsNotSavedOverUntilReplaced) {
    const std::string path = m_doc.ScheduleFile();
    testing::WriteFileText(path, "five tasks");
    testing::InjectedFileFaults faults;
    faults.Fail(FileStep::read, EACCES, path);
    m_doc.Load();
    faults.Heal();
    EXPECT_TRUE(m_doc.IsFileLeft());
    m_doc.Tasks().Add(TaskRecord{});
    m_doc.Changed(true);
    EXPECT_FALSE(m_doc.Save());
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.ProtectWith("s3cret!"));
    EXPECT_EQ(testing::ReadFileText(path), "five tasks");
    m_doc.ReplaceLeftFile();
    EXPECT_TRUE(m_doc.Save());
    EXPECT_NE(testing::ReadFileText(path), "five tasks");
}

}  // namespace
}  // namespace tidewell
