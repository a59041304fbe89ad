#include <gtest/gtest.h>
#include <sys/stat.h>

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
#include "text/language.h"
#include "text/message_table.h"

namespace tidewell {
namespace {

using testing::At;
using testing::ReadFileText;
using testing::TempDir;
using testing::WriteFileText;

std::size_t Utf8Chars(const std::string& text) {
    std::size_t chars = 0;
    for (const char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return chars;
}

// True when no multi-byte character is cut short at the end.
bool EndsOnCharacter(const std::string& text) {
    std::size_t i = text.size();
    std::size_t continuation = 0;
    while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0) == 0x80) {
        --i;
        ++continuation;
    }
    if (i == 0) return continuation == 0;
    const auto lead = static_cast<unsigned char>(text[i - 1]);
    const std::size_t expected = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    return continuation == expected;
}

TaskRecord Titled(std::string title, bool enabled = true) {
    TaskRecord task;
    task.title = std::move(title);
    task.enabled = enabled;
    return task;
}

class EventLogTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }

    TempDir m_dir;
    TestClock m_clock{At(2006, 3, 5, 8, 0, 0)};
    EventLog m_log{m_dir.Path(), m_clock};
};

TEST_F(EventLogTest, RunOfATaskAtAFixedInstantGivesItsExactLine) {
    const TaskRecord task = Titled("Backup");
    ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskRun).ok());
    EXPECT_EQ(m_log.Path(), m_dir.File("schdlog.txt"));
    EXPECT_EQ(ReadFileText(m_log.Path()), "2006-03-05 08:00:00\tRun task \"Backup\"\r\n");
    m_clock.Advance(61);
    ASSERT_TRUE(m_log.LogEvent(nullptr, EventKind::schedulingSwitched, false).ok());
    EXPECT_EQ(
        ReadFileText(m_log.Path()),
        "2006-03-05 08:00:00\tRun task \"Backup\"\r\n2006-03-05 08:01:01\tDisable scheduling service\r\n");
}

TEST_F(EventLogTest, EveryKindHasItsTextAndOtherKindsWriteNothing) {
    const TaskRecord on = Titled("Mail");
    const TaskRecord off = Titled("Mail", false);
    struct Case {
        const TaskRecord* task;
        int kind;
        bool scheduling;
        const char* text;  // nullptr: nothing written
    };
    const Case cases[] = {
        {&on, 1, false, "Add task \"Mail\""},
        {&on, 2, false, "Modify task \"Mail\""},
        {&on, 3, false, "Delete task \"Mail\""},
        {&on, 4, false, "Run task \"Mail\""},
        {&on, 5, false, "Enable task \"Mail\""},
        {&off, 5, true, "Disable task \"Mail\""},
        {nullptr, 6, true, "Enable scheduling service"},
        {nullptr, 6, false, "Disable scheduling service"},
        {nullptr, 7, false, "Password changed."},
        {&on, 0, false, nullptr},
        {&on, 8, false, nullptr},
        {nullptr, 4, false, nullptr},  // a task event without a task
    };
    for (const Case& c : cases) {
        std::filesystem::remove(m_log.Path());
        ASSERT_TRUE(m_log.LogEvent(c.task, static_cast<EventKind>(c.kind), c.scheduling).ok());
        if (c.text == nullptr) {
            EXPECT_FALSE(std::filesystem::exists(m_log.Path())) << c.kind;
        } else {
            EXPECT_EQ(ReadFileText(m_log.Path()), std::string("2006-03-05 08:00:00\t") + c.text + "\r\n")
                << c.kind;
        }
    }
}

TEST_F(EventLogTest, TextsFollowTheCurrentLanguage) {
    SetLanguage(kLcidSimplifiedChinese);
    const TaskRecord task = Titled("备份");
    EXPECT_EQ(EventText(&task, EventKind::taskRun, false), "运行任务“备份”");
    EXPECT_EQ(EventText(nullptr, EventKind::schedulingSwitched, true), "启用计划服务");
}

TEST_F(EventLogTest, ALongTitleIsCutToThreeHundredSeventyCharactersAfterTheTime) {
    for (const std::string unit : {"a", "é", "计", "😀"}) {
        std::string title;
        for (int i = 0; i < 500; ++i) title += unit;
        std::filesystem::remove(m_log.Path());
        const TaskRecord task = Titled(title);
        ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskRun).ok());
        const std::string line = ReadFileText(m_log.Path());
        ASSERT_EQ(line.substr(line.size() - 2), "\r\n");
        const std::string text = line.substr(20, line.size() - 22);  // after "time TAB"
        EXPECT_EQ(Utf8Chars(text), 370u) << unit;
        EXPECT_TRUE(EndsOnCharacter(text)) << unit;
        EXPECT_EQ(text.rfind("Run task \"", 0), 0u);
    }
}

TEST(LogLine, CutsAndMarkers) {
    const DateTime now = At(2010, 12, 31, 23, 59, 58);
    const std::string t = "2010-12-31 23:59:58\t";
    const std::string fiftyOne(51, 'L');
    const std::string chinese60 = [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += "位";
        return s;
    }();
    struct Case {
        std::string first;
        std::string second;
        std::string line;
    };
    const Case cases[] = {
        {"", "Run", t + "Run"},
        {"Where", "What", t + "Where\tWhat"},
        {"Where", "", t + "Where"},
        {"", "", t},
        {fiftyOne, "m", t + std::string(50, 'L') + "\tm"},
        {chinese60, "", t + chinese60.substr(0, 50 * 3)},
        {std::string(50, 'L'), std::string(400, 'm'),
         t + std::string(50, 'L') + "\t" + std::string(320, 'm')},
        {"InitInstance", "_DEBUG_BLANK", ""},
        {"InitInstance", "_PROGRAM_START", "***** Program Start *****"},
        {"", "_PROGRAM_END", "***** Program End *****"},
        {"", "_PROGRAM_ENDING", t + "_PROGRAM_ENDING"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatLogLine(now, c.first, c.second), c.line) << c.first << " / " << c.second;
    }
}

TEST(LogLine, AppendKeepsALineToThreeHundredNinetyNineCharacters) {
    TempDir dir;
    const std::string path = dir.File("log.txt");
    struct Case {
        std::string line;
        std::string kept;
    };
    const std::string wide398 = std::string(398, 'x');
    const Case cases[] = {
        {std::string(399, 'x'), std::string(399, 'x')},
        {std::string(400, 'x'), std::string(399, 'x')},
        {wide398 + "€€", wide398 + "€"},  // the cut falls after a whole three-byte character
        {"", ""},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path);
        ASSERT_TRUE(AppendLine(path, c.line, kLogByteLimit).ok());
        EXPECT_EQ(ReadFileText(path), c.kept + "\r\n");
    }
}

TEST_F(EventLogTest, AFileOverTheLimitIsStartedAnewAndOneAtTheLimitIsKept) {
    const TaskRecord task = Titled("Backup");
    const std::string line = "2006-03-05 08:00:00\tRun task \"Backup\"\r\n";
    for (const std::uintmax_t size : {10'000'000u, 10'000'001u}) {
        WriteFileText(m_log.Path(), "");
        std::filesystem::resize_file(m_log.Path(), size);
        ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskRun).ok());
        if (size > kLogByteLimit) {
            EXPECT_EQ(ReadFileText(m_log.Path()), line);
        } else {
            EXPECT_EQ(std::filesystem::file_size(m_log.Path()), size + line.size());
        }
    }
}

TEST_F(EventLogTest, AnUnwritableLogSaysSoAndWritesNothing) {
    const TaskRecord task = Titled("Backup");
    EventLog missing(m_dir.File("no-such-folder"), m_clock);
    const Result result = missing.LogEvent(&task, EventKind::taskRun);
    EXPECT_EQ(result.kind(), ErrorKind::notFound);
    EXPECT_EQ(result.message(), CannotWriteFileMessage(missing.Path()));

    std::filesystem::create_directory(m_log.Path());  // a folder where the file should be
    EXPECT_FALSE(m_log.LogEvent(&task, EventKind::taskRun).ok());
}

TEST_F(EventLogTest, ViewLogOpensTheFileOrSaysNoLogWasRecorded) {
    RecordingLauncher launcher;
    RecordingMessageBox box;
    m_log.ViewLog(launcher, box);
    EXPECT_TRUE(launcher.opened.empty());
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(box.LastCall().text, "No log has been recorded.");

    const TaskRecord task = Titled("Backup");
    ASSERT_TRUE(m_log.LogEvent(&task, EventKind::taskAdded).ok());
    m_log.ViewLog(launcher, box);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{m_log.Path()});
    EXPECT_EQ(box.CallCount(), 1u);

    launcher.FailWith(ErrorKind::notFound, "no opener");
    m_log.ViewLog(launcher, box);
    ASSERT_EQ(box.CallCount(), 2u);
    EXPECT_EQ(box.LastCall().text, "no opener");
}

TEST(DebugLog, WithoutTheSwitchFileNoLogIsEverCreated) {
    TempDir program;
    TempDir data;
    TestClock clock(At(2006, 3, 5, 8, 0, 0));
    ASSERT_FALSE(DebugSwitchPresent(program.Path()));
    const DebugLog off(data.Path(), DebugSwitchPresent(program.Path()), clock);
    EXPECT_FALSE(off.DebugTrace("InitInstance", kLogProgramStartMarker));
    EXPECT_FALSE(off.DebugTrace("FillTRList", "Before ptr = m_trlst.GetAt(m_trlst.FindIndex(nIndex));"));
    EXPECT_TRUE(testing::FolderEntries(data.Path()).empty());

    std::filesystem::create_directory(program.File("config"));
    WriteFileText(DebugSwitchPath(program.Path()), "");
    EXPECT_EQ(DebugSwitchPath(program.Path()), program.File("config/tidewell_debug_info"));
    const DebugLog on(data.Path(), DebugSwitchPresent(program.Path()), clock);
    EXPECT_TRUE(on.DebugTrace("InitInstance", kLogBlankMarker));
    EXPECT_TRUE(on.DebugTrace("InitInstance", kLogProgramStartMarker));
    EXPECT_TRUE(on.DebugTrace("CheckAtLogonJob", "Before - Sleep(1000)"));
    EXPECT_TRUE(on.DebugTrace("ExitInstance", kLogProgramEndMarker));
    EXPECT_EQ(
        ReadFileText(data.File("debug_tidewell.log")),
        "\r\n***** Program Start *****\r\n2006-03-05 08:00:00\tCheckAtLogonJob\tBefore - Sleep(1000)\r\n"
        "***** Program End *****\r\n");
}

}  // namespace
}  // namespace tidewell
