#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/durable_file.h"
#include "runtime/debug_log.h"
#include "runtime/event_log.h"
#include "runtime/log_line.h"
#include "support/recording_launcher.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using testing::At;
using testing::ReadFileText;
using testing::TempDir;

std::string Repeat(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += unit;
    return text;
}

class EventLogTest : public ::testing::Test {
protected:
    static TaskRecord Task() {
        TaskRecord task;
        task.title = "Backup";
        return task;
    }

    TempDir m_dir;
    TestClock m_clock{At(2006, 3, 5, 8, 0, 0)};
    EventLog m_log{m_dir.Path(), m_clock};
};

TEST(LogLine, CutsNeverSplitACharacter) {
    const std::string t = "2010-12-31 23:59:58\t";
    EXPECT_EQ(FormatLogLine(At(2010, 12, 31, 23, 59, 58), Repeat("位", 60), std::string(400, 'm')),
              t + Repeat("位", 50) + "\t" + std::string(320, 'm'));
    EXPECT_EQ(FormatLogLine(At(2010, 12, 31, 23, 59, 58), "", "_PROGRAM_ENDING"), t + "_PROGRAM_ENDING");
    TempDir dir;
    const std::string x398(398, 'x');
    ASSERT_TRUE(AppendLine(dir.File("log.txt"), x398 + "€€", kLogByteLimit).ok());
    EXPECT_EQ(ReadFileText(dir.File("log.txt")), x398 + "€\r\n");
}

TEST_F(EventLogTest, AFileOverTheLimitIsStartedAnewAndAFileAtTheLimitKept) {
    const TaskRecord task = Task();
    const std::string line = "2006-03-05 08:00:00\tRun task \"Backup\"\r\n";
    for (const std::uintmax_t size : {10'000'000u, 10'000'001u}) {
        testing::WriteFileText(m_log.Path(), "");
        std::filesystem::resize_file(m_log.Path(), size);
        ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskRun).ok());
        EXPECT_EQ(std::filesystem::file_size(m_log.Path()), (size > kLogByteLimit ? 0 : size) + line.size());
    }
    EXPECT_EQ(ReadFileText(m_log.Path()), line);
}

TEST_F(EventLogTest, AnUnwritableLogAndAFailedViewSaySo) {
    const TaskRecord task = Task();
    const EventLog missing(m_dir.File("no-such-folder"), m_clock);
    const Result result = missing.LogEvent(&task, EventKind::taskRun);
    EXPECT_EQ(result.kind(), ErrorKind::notFound);
    EXPECT_EQ(result.message(), CannotWriteFileMessage(missing.Path()));
    testing::RecordingLauncher launcher;
    RecordingMessageBox box;
    m_log.ViewLog(launcher, box);
    EXPECT_EQ(box.LastCall().text, "No log has been recorded.");
    EXPECT_TRUE(launcher.opened.empty());
    ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskAdded).ok());
    launcher.failure = "no opener";
    m_log.ViewLog(launcher, box);
    EXPECT_EQ(box.LastCall().text, "no opener");
}

}  // namespace
}  // namespace tidewell
