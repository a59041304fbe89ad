#include "app/main_window/tidewell_doc.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "files/file_faults.h"
#include "files/file_lock.h"
#include "platform/memory_settings.h"
#include "schedule_file/claims_journal.h"
#include "support/injected_file_faults.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
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

// A pass's claims wait for the journal alone and the whole file follows the runs; the journal goes
// once the file holds them. Without a journal the whole file holds the claims before the runs start.
TEST_F(DocTest, ClaimsAreJournaledUntilTheFileHoldsThem) {
    const std::string path = m_doc.ScheduleFile();
    const std::string journal = ClaimsJournalPath(path);
    Schedule().haveLastRunTime = true;
    Schedule().lastRunTime = m_clock.Now();
    const size_t claimed[] = {0};
    m_doc.SaveBeforeRuns(claimed);
    EXPECT_TRUE(std::filesystem::exists(journal));
    EXPECT_FALSE(std::filesystem::exists(path));
    m_doc.SaveFromPass();  // the pass's save, once its runs have started
    m_doc.FinishSaves();
    EXPECT_FALSE(std::filesystem::exists(journal));
    EXPECT_TRUE(std::filesystem::exists(path));

    testing::InjectedFileFaults faults;
    faults.Fail(FileStep::write, ENOSPC, journal);
    std::filesystem::remove(path);
    m_doc.SaveBeforeRuns(claimed);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(m_doc.SaveFailing());
}

// The lock beside the file, as the command-line tool takes it.
class DocLockTest : public DocTest {
protected:
    std::string LockPath() const { return m_doc.ScheduleFile() + ".lock"; }
    // Another writer replaces the file with tasks of these titles.
    void WriteElsewhere(std::initializer_list<std::string> titles) {
        TaskList list;
        for (const std::string& title : titles) {
            TaskRecord task = m_task;
            task.title = title;
            list.Add(task);
        }
        RecordingMessageBox quiet;
        ASSERT_TRUE(WriteTaskList(m_doc.ScheduleFile(), list,
                                  ScheduleStoreContext{m_clock, m_random, m_settings, quiet, {}})
                        .ok());
    }
    bool Holds(const std::string& title) const {
        for (const TaskRecord& task : m_doc.Tasks())
            if (task.title == title) return true;
        return false;
    }

    const TaskRecord m_task = testing::AsNotice(m_doc.Tasks()[0], "Tea");
};

TEST_F(DocLockTest, AnOpenFileKeepsOtherWritersOut) {
    m_doc.Load();
    EXPECT_TRUE(FileLock(LockPath(), FileLock::Wait::no).HeldElsewhere());
}

// Held elsewhere at start: the list is read all the same, and nothing is written under the holder.
TEST_F(DocLockTest, AFileInUseElsewhereIsReadButNotWritten) {
    WriteElsewhere({"Walk"});
    const std::string before = testing::ReadFileText(m_doc.ScheduleFile());
    const FileLock other(LockPath());
    m_messageBox.Clear();
    m_doc.Load();
    EXPECT_TRUE(Holds("Walk"));
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_NE(m_messageBox.LastCall().text.find("Another program is changing the schedule file"),
              std::string::npos);

    m_doc.Tasks().Add(m_doc.Tasks()[0]);
    EXPECT_FALSE(m_doc.Save());
    EXPECT_EQ(m_messageBox.CallCount(), 2u);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_EQ(testing::ReadFileText(m_doc.ScheduleFile()), before);
}

// Once the other writer lets go, what it wrote is read again; when the list holds changes of
// its own too, the file is left alone until the user chooses.
TEST_F(DocLockTest, TakingTheLockLateCatchesUpWithTheFile) {
    for (const bool changedHere : {false, true}) {
        SCOPED_TRACE(changedHere);
        m_doc.SetScheduleFile(m_folder.File(changedHere ? "b.rws" : "a.rws"));
        WriteElsewhere({"Walk"});
        auto other = std::make_unique<FileLock>(LockPath());
        m_doc.Load();
        if (changedHere) m_doc.SetModified(true);
        WriteElsewhere({"Walk", "Stretch"});
        const std::string written = testing::ReadFileText(m_doc.ScheduleFile());
        other.reset();
        m_messageBox.Clear();

        EXPECT_TRUE(m_doc.HoldFile());
        EXPECT_EQ(Holds("Stretch"), !changedHere);
        EXPECT_EQ(m_doc.IsFileLeft(), changedHere);
        EXPECT_EQ(m_messageBox.CallCount(), changedHere ? 1u : 0u);
        if (!changedHere) continue;
        EXPECT_FALSE(m_doc.Save());
        EXPECT_EQ(testing::ReadFileText(m_doc.ScheduleFile()), written);
    }
}

}  // namespace
}  // namespace tidewell
