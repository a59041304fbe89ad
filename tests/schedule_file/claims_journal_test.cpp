#include "schedule_file/claims_journal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>

#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/injected_file_faults.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"
#include "text/messages.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// The file as the last save left it: tasks A, B and C, in that order; the journal holds what
// passes claimed since.
class ClaimsJournalTest : public ::testing::TestWithParam<const char*> {
protected:
    ClaimsJournalTest() {
        for (const char* title : {"A", "B", "C"}) m_list.Add(AsNotice(DailyTask({TimeOfDayValue(8)}), title));
        m_list[2].scheduleInfo.haveLastRunTime = true;
        m_list[2].scheduleInfo.lastRunTime = At(2026, 6, 3, 8);
        EXPECT_TRUE(WriteTaskList(Path(), m_list, Context()).ok());
    }
    ScheduleStoreContext Context() { return {m_clock, m_random, m_settings, m_messageBox, GetParam()}; }
    std::string Path() const { return m_temp.File("schedule.rws"); }
    void Claim(size_t index, const DateTime& run) {
        m_list[index].scheduleInfo.lastRunTime = run;
        ASSERT_TRUE(AppendClaims(Path(), m_list, {&index, 1}, GetParam()).ok());
    }
    static std::optional<DateTime> LastRun(const TaskList& list, const std::string& title) {
        for (const TaskRecord& task : list)
            if (task.title == title && task.scheduleInfo.haveLastRunTime)
                return task.scheduleInfo.lastRunTime;
        return std::nullopt;
    }

    TempDir m_temp;
    TestClock m_clock{At(2026, 6, 5, 12)};
    FixedRandom m_random;
    MemorySettings m_settings;
    RecordingMessageBox m_messageBox;
    TaskList m_list;
};

TEST_P(ClaimsJournalTest, ClaimsMadeAfterTheLastSaveReachTheNextLoadOrAreToldLost) {
    Claim(0, At(2026, 6, 4, 8));
    Claim(0, At(2026, 6, 5, 8));  // the pass of the next day
    Claim(1, At(2026, 6, 5, 8));
    Claim(2, At(2026, 6, 2, 8));  // older than the file's: a journal left behind by a crash
    const std::string journal = ClaimsJournalPath(Path());
    WriteFileText(journal, ReadFileText(journal) + "2026-06-05 09:00:00 0123");  // cut by a crash

    TaskList loaded;
    const LoadReport report = LoadTaskList(Path(), loaded, Context());
    EXPECT_EQ(report.claimsApplied, 2);
    EXPECT_EQ(LastRun(loaded, "A"), At(2026, 6, 5, 8));
    EXPECT_EQ(LastRun(loaded, "B"), At(2026, 6, 5, 8));
    EXPECT_EQ(LastRun(loaded, "C"), At(2026, 6, 3, 8));
    EXPECT_EQ(m_messageBox.CallCount(), 0u);
    // Nothing the task does or is called is written out in plain text.
    EXPECT_EQ(ReadFileText(journal).find("Time to go"), std::string::npos);

    ASSERT_TRUE(ClearClaims(Path()).ok());
    ASSERT_TRUE(ClearClaims(Path()).ok());  // no journal: nothing to do
    EXPECT_EQ(LoadTaskList(Path(), loaded, Context()).claimsApplied, 0);
    EXPECT_EQ(LastRun(loaded, "A"), std::nullopt);

    // A journal that cannot be read is told, and the list loads all the same.
    Claim(0, At(2026, 6, 5, 8));
    InjectedFileFaults faults;
    faults.Fail(FileStep::read, EACCES, journal);
    EXPECT_TRUE(LoadTaskList(Path(), loaded, Context()).loaded);
    EXPECT_EQ(LastRun(loaded, "A"), std::nullopt);
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_NE(m_messageBox.LastCall().text.find(LoadMessage(IDS_MESSAGE_CLAIMED_RUNS_UNKNOWN)),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, ClaimsJournalTest, ::testing::Values("", "s3cret!"),
                         [](const auto& param) { return std::string(*param.param ? "protected" : "plain"); });

}  // namespace
}  // namespace tidewell
