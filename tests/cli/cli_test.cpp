#include "cli/cli.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "cli/run_cli.h"
#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/recording_sleeper.h"
#include "support/scoped_time_zone.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TEST(Cli, CheckReportsDroppedTasksAndLeavesTheFileAlone) {
    TempDir temp;
    std::string path = temp.File("schedule.rws");
    std::string text =
        ";h\r\n\r\n[Info]\r\nInfo = Tidewell Job List\r\n\r\n[Daily 1]\r\nStatus = 0\r\nTI TaskType = 2\r\n"
        "SchI Daily = 08:00:00\r\n";
    WriteFileText(path, text);
    CliOutput check = RunCli({"check", path, "--now", "2026-12-07 12:00:00"});
    EXPECT_EQ(check.status, cli::kExitProblems);
    EXPECT_EQ(check.out, "Task title cannot be blank.\n\n");
    EXPECT_EQ(ReadFileText(path), text);
    EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"schedule.rws"});
}

TEST(Cli, ProtectedFilesAndEveryRefusal) {
    TempDir temp;
    TestClock clock(At(2026, 12, 7, 12));
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messageBox;
    ScheduleStoreContext context{clock, random, settings, messageBox, "s3cret!"};
    TaskList list;
    list.Add(AsNotice(DailyTask({TimeOfDayValue(8)}), "hidden"));
    std::string path = temp.File("protected.rws");
    ASSERT_TRUE(SaveTaskList(path, list, context));

    CliOutput opened =
        RunCli({"upcoming", path, "--from", "2026-12-07 12:00:00", "--count", "1", "--password", "s3cret!"});
    EXPECT_EQ(opened.status, cli::kExitOk) << opened.err;
    EXPECT_EQ(opened.out.rfind("hidden (Daily)\n  2026-12-08 08:00:00\n", 0), 0u);

    const std::string now = "2026-12-07 12:00:00";
    const std::string blank = "The input string is blank.";
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"list", path, "--password", "wrong-pw"}, "The password is invalid."},
        {{"list", path}, "The schedule file is protected with an administrator password, but no password"},
        {{"check", temp.File("missing.rws")}, "File \"" + temp.File("missing.rws") + "\" was not found."},
        {{"check", temp.Path()},
         "Cannot read the file \"" + temp.Path() + "\": " + std::strerror(EISDIR) + "."},
        {{"upcoming", path, "--from", "tomorrow"}, "\"tomorrow\" contains invalid character(s)."},
        {{"upcoming", path, "--from", now, "--count", "0"}, "\"0\" contains invalid character(s)."},
        {{"upcoming", path, "--from", now, "--count", "123456"}, "\"123456\" contains invalid character(s)."},
        {{"upcoming", path, "--count", "1"}, blank},
        {{"list", path, "--from", now}, "\"--from\" contains invalid character(s)."},
        {{"list", path, "--colour"}, "\"--colour\" contains invalid character(s)."},
        {{"remove", path}, "Unknown command \"remove\". Commands: list, upcoming,"},
        {{"help", "remove"}, "Unknown command \"remove\". Commands: list, upcoming,"},
        {{}, blank},
    };
    for (const Case& c : cases) {
        CliOutput result = RunCli(c.arguments);
        EXPECT_EQ(result.status, cli::kExitFailure) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << result.err;
        EXPECT_TRUE(std::filesystem::exists(path));
    }
}

TEST(Cli, OutputThatCannotBeWrittenIsAFailure) {
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(cli::Run({"list", Example(), "--now", "2026-12-07 12:00:00"}, out, err), cli::kExitFailure);
    EXPECT_EQ(err.str(), "Cannot write the file \"/dev/stdout\".\n");
}

// The dry run of the passes runs exactly what the agenda lists (after the start-up catch-up of
// what was missed before the start), on time.
TEST(Cli, SimulateRunsWhatTheAgendaLists) {
    const testing::ScopedTimeZone utc("UTC");
    const std::string from = "2026-12-07 12:00:00";
    CliOutput agenda = RunCli({"agenda", Example(), "--from", from, "--to", "2026-12-09 12:00:00"});
    CliOutput onTime = RunCli({"simulate", Example(), "--from", from, "--to", "2026-12-09 12:00:00"});
    ASSERT_EQ(onTime.status, cli::kExitOk) << onTime.err;
    const std::string startUp =
        "2026-12-07 12:00:01\tStretch and drink water\n"
        "2026-12-07 12:00:01\tLook away from the screen\n";
    // The agenda includes the start instant itself, which was the start-up pass's to catch up.
    EXPECT_EQ(onTime.out, startUp + agenda.out.substr(agenda.out.find('\n') + 1));
    EXPECT_EQ(
        RunCli({"simulate", Example(), "--from", from, "--to", from, "--tick-jitter-ms", "5000"}).status,
        cli::kExitFailure);
}

}  // namespace
}  // namespace tidewell
