#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/temporary_home.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// A description shows the final random time the file holds; it never draws one of its own.
TEST(ViewCommands, DescribeShowsTheStoredFinalRandomTime) {
    TemporaryHome home;
    TempDir temp;
    TestClock clock(At(2026, 12, 7, 12));
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messageBox;
    ScheduleStoreContext context{clock, random, settings, messageBox, ""};
    TaskRecord task = Titled(DailyTask({TimeOfDayValue(8)}), "randomized");
    task.scheduleInfo.haveNextRunTime = true;
    task.scheduleInfo.nextRunTime = At(2026, 12, 8, 8);
    RandomizationInfo& randomization = task.randomizationInfo;
    randomization.enable = true;
    randomization.rpTotalSeconds = 1800;
    randomization.decidedTime = 0;  // decided as soon as the schedule is set
    randomization.finalSet = true;
    randomization.finalTime = At(2026, 12, 8, 8, 12, 34);
    TaskList list;
    list.Add(task);
    const std::string path = temp.File("random.rws");
    ASSERT_TRUE(SaveTaskList(path, list, context));
    const std::string stored = ReadFileText(path);
    for (int call = 0; call < 3; ++call) {
        CliOutput result = RunCli({"describe", path, "--now", "2026-12-07 12:00:00"});
        ASSERT_EQ(result.status, cli::kExitOk) << result.err;
        EXPECT_NE(result.out.find("Final running time: 2026-12-08 08:12:34\n"), std::string::npos)
            << result.out;
    }
    EXPECT_EQ(ReadFileText(path), stored);
}

// The counts themselves are the overview's; the tool prints them with its own line ends.
TEST(ViewCommands, StatisticsReport) {
    const CliOutput result = RunCli({"stats", Example(), "--now", "2026-12-07 12:00:00"});
    ASSERT_EQ(result.status, cli::kExitOk) << result.err;
    EXPECT_EQ(result.out.rfind("Summary\n=======\nTotal: 9 \tActive: 7 \tExpired: 2\n\nBreakdown\n", 0), 0u);
}

TEST(ViewCommands, AgendaOfARange) {
    CliOutput text = RunCli({"agenda", Example(), "--from", "2026-12-07 00:00:00", "--to",
                             "2026-12-13 23:59:59", "--max-runs", "2"});
    ASSERT_EQ(text.status, cli::kExitOk) << text.err;
    EXPECT_EQ(
        text.out,
        "2026-12-07 00:00:00\tLook away from the screen\n2026-12-07 00:20:00\tLook away from the screen\n"
        "2026-12-07 09:55:00\tTeam meeting\n2026-12-07 10:30:00\tStretch and drink water\n"
        "2026-12-07 15:30:00\tStretch and drink water\n2026-12-10 13:55:00\tTeam meeting\n");
    EXPECT_EQ(text.err,
              "The maximum length for \"Stretch and drink water\" is 2.\n"
              "The maximum length for \"Look away from the screen\" is 2.\n");
    CliOutput json = RunCli(
        {"agenda", Example(), "--from", "2026-12-10 13:40:00", "--to", "2026-12-10 13:55:00", "--json"});
    ASSERT_EQ(json.status, cli::kExitOk) << json.err;
    EXPECT_EQ(json.out,
              "{\"from\": \"2026-12-10 13:40:00\", \"to\": \"2026-12-10 13:55:00\",\n \"runs\": [\n"
              "  {\"time\": \"2026-12-10 13:40:00\", \"title\": \"Look away from the screen\"},\n"
              "  {\"time\": \"2026-12-10 13:55:00\", \"title\": \"Team meeting\"}],\n \"cutShort\": []}\n");
}

TEST(ViewCommands, Refusals) {
    TemporaryHome home;
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"describe", Example(), "--json"}, "\"--json\" contains invalid character(s)."},
        {{"agenda", Example(), "--from", "2026-12-07 00:00:00"}, "usage:"},
        {{"agenda", Example(), "--from", "2026-12-08 00:00:00", "--to", "2026-12-07 00:00:00"},
         "\"2026-12-07 00:00:00\" contains invalid character(s)."},
        {{"agenda", Example(), "--quick-view", "1", "--from", "2026-12-07 00:00:00"},
         "\"--quick-view\" contains invalid character(s)."},
        {{"agenda", Example(), "--quick-view", "1"}, "\"1\" contains invalid character(s)."},  // no qv.ini
        {{"agenda", Example(), "--from", "2026-12-07 00:00:00", "--to", "2026-12-08 00:00:00", "--max-runs",
          "-3"},
         "\"-3\" contains invalid character(s)."},
    };
    for (const Case& c : cases) {
        CliOutput result = RunCli(c.arguments);
        EXPECT_EQ(result.status, cli::kExitFailure) << c.error;
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << result.err;
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
}  // namespace tidewell
