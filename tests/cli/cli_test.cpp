#include "support/test_clock.h"
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "schedule_file/schedule_store.h"
#include "support/fake_settings.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/recording_message_box.h"
#include "support/recording_sleeper.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

struct Output {
    int status;
    std::string out;
    std::string err;
};

Output RunCli(std::vector<std::string> arguments) {
    std::ostringstream out;
    std::ostringstream err;
    int status = cli::Run(arguments, out, err);
    return {status, out.str(), err.str()};
}

std::string Example() {
    return std::string(TIDEWELL_SOURCE_DIR) + "/examples/schedule.rws";
}

TEST(Cli, UpcomingRunsOfTheShippedExample) {
    Output result = RunCli({"upcoming", Example(), "--from", "2026-12-07 12:00:00", "--count", "2"});
    ASSERT_EQ(result.status, cli::kExitOk) << result.err;
    const std::string expected =
        "Stretch and drink water (Daily)\n  2026-12-07 15:30:00\n  2026-12-08 10:30:00\n"
        "Team meeting (Weekly)\n  2026-12-10 13:55:00\n  2026-12-14 09:55:00\n"
        "Pay the rent (Monthly)\n  2026-12-25 18:00:00\n  2027-01-01 09:00:00\n"
        "Automatic Clock Synchronization Setting (Monthly)\n  Never\n"
        "Renew the passport (Yearly)\n  2027-03-15 12:00:00\n  2027-09-15 12:00:00\n"
        "Dentist (Once or Several Times)\n  2027-02-03 15:00:00\n  2027-08-03 15:00:00\n"
        "Look away from the screen (Repeating)\n  2026-12-07 12:20:00\n  2026-12-07 12:40:00\n"
        "Tea is ready (Countdown)\n  Never\n"
        "Open the news page (At Logon)\n  Never\n";
    EXPECT_EQ(result.out, expected);
}

TEST(Cli, UpcomingAsJson) {
    Output result =
        RunCli({"upcoming", Example(), "--from", "2027-08-03 15:00:00", "--count", "1", "--json"});
    ASSERT_EQ(result.status, cli::kExitOk);
    EXPECT_EQ(result.out.rfind("[\n  {\"title\": \"Stretch and drink water\", \"scheduleType\": \"Daily\", "
                               "\"runs\": [\"2027-08-03 15:30:00\"]},\n",
                               0),
              0u);
    EXPECT_NE(result.out.find(
                  "{\"title\": \"Dentist\", \"scheduleType\": \"Once or Several Times\", \"runs\": []},"),
              std::string::npos);
    EXPECT_TRUE(result.out.ends_with("\"runs\": []}\n]\n"));  // no comma after the last task
}

TEST(Cli, ListAndCheckTheExample) {
    Output list = RunCli({"list", Example()});
    ASSERT_EQ(list.status, cli::kExitOk);
    EXPECT_EQ(list.out.rfind("Title\tSchedule Type\tNext Run\tLast Run\n", 0), 0u);
    EXPECT_NE(list.out.find("Tea is ready\tCountdown\tNever\tNever\n"), std::string::npos);
    EXPECT_NE(list.out.find("Open the news page\tAt Logon\t"), std::string::npos);
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 10);
    Output check = RunCli({"check", Example()});
    EXPECT_EQ(check.status, cli::kExitOk);
    EXPECT_EQ(check.out, "");
}

TEST(Cli, CheckReportsDroppedTasksAndLeavesTheFileAlone) {
    TempDir temp;
    std::string path = temp.File("schedule.rws");
    std::string text =
        ";h\r\n\r\n[Info]\r\nInfo = Tidewell Job List\r\n\r\n[Daily 1]\r\nStatus = 0\r\nTI TaskType = 2\r\n"
        "SchI Daily = 08:00:00\r\n";
    WriteFileText(path, text);
    Output check = RunCli({"check", path});
    EXPECT_EQ(check.status, cli::kExitProblems);
    EXPECT_EQ(check.out, "Task title cannot be blank.\n\n");
    EXPECT_EQ(ReadFileText(path), text);
    EXPECT_EQ(FolderEntries(temp.Path()), std::vector<std::string>{"schedule.rws"});
}

TEST(Cli, ProtectedFilesAndRefusals) {
    TempDir temp;
    TestClock clock(At(2026, 12, 7, 12));
    FixedRandom random;
    FakeSettings settings;
    RecordingMessageBox messageBox;
    RecordingSleeper sleeper;
    ScheduleStoreContext context{clock, random, settings, messageBox, sleeper, "s3cret!"};
    TaskList list;
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.title = "hidden";
    task.taskInfo.taskType = TaskType::notice;
    list.Add(task);
    std::string path = temp.File("protected.rws");
    ASSERT_TRUE(SaveTaskList(path, list, context));

    Output opened =
        RunCli({"upcoming", path, "--from", "2026-12-07 12:00:00", "--count", "1", "--password", "s3cret!"});
    EXPECT_EQ(opened.status, cli::kExitOk) << opened.err;
    EXPECT_EQ(opened.out.rfind("hidden (Daily)\n  2026-12-08 08:00:00\n", 0), 0u);

    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"list", path, "--password", "wrong-pw"}, "The password is invalid."},
        {{"list", path}, "The password is invalid."},
        {{"check", temp.File("missing.rws")}, "File \"" + temp.File("missing.rws") + "\" was not found."},
        {{"upcoming", path, "--from", "tomorrow"}, "\"tomorrow\" contains invalid character(s)."},
        {{"upcoming", path, "--from", "2026-12-07 12:00:00", "--count", "0"},
         "\"0\" contains invalid character(s)."},
        {{"list", path, "--colour"}, "\"--colour\" contains invalid character(s)."},
        {{"remove", path}, ""},
        {{"list"}, ""},
    };
    for (const Case& c : cases) {
        Output result = RunCli(c.arguments);
        EXPECT_EQ(result.status, cli::kExitFailure) << c.arguments[0];
        EXPECT_EQ(result.err.rfind(c.error, 0), 0u) << result.err;
        EXPECT_TRUE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace tidewell
