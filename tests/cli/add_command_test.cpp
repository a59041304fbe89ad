#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/change_commands.h"
#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "config/admin_password.h"
#include "config/locations.h"
#include "crypto/protected_container.h"
#include "files/file_lock.h"
#include "support/recording_sleeper.h"
#include "support/task_builder.h"
#include "support/temporary_home.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

struct Added {
    int status;
    std::string out;
    std::string err;
    std::vector<std::chrono::milliseconds> waits;
};

class AddCommand : public ::testing::Test {
protected:
    Added Add(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--file", file});
        std::ostringstream out;
        std::ostringstream err;
        RecordingSleeper sleeper;
        int status = cli::RunAdd(arguments, out, err, sleeper);
        return {status, out.str(), err.str(), sleeper.waits};
    }
    TaskList Load(const std::string& password = {}) {
        FixedClock clock(At(2026, 12, 7, 12));
        std::ostringstream messages;
        cli::ConsoleMessageBox box(messages);
        cli::LoadedSchedule loaded = cli::LoadSchedule(file, password, clock, box, false);
        EXPECT_EQ(loaded.failure, "");
        // Without the clock synchronization task, which every loaded list has.
        TaskList added;
        for (const TaskRecord& task : loaded.tasks)
            if (!task.isClockSyncTask) added.Add(task);
        return added;
    }
    void SetAdminPassword(const std::string& password) {
        std::ostringstream messages;
        cli::ConsoleMessageBox box(messages);
        AdminPassword admin(box);
        const std::string path = BuildLocations(ProcessEnvironment(), RunningProgramDir()).PasswordFilePath();
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(admin.SetAdminPassword(password, path).ok()) << messages.str();
    }

    TemporaryHome home;
    TempDir folder;
    std::string file = folder.File("schedule.rws");
};

// A running program holds "FILE.lock" while it has the file open: the tool gives another writer a
// moment, then refuses rather than writing under the program.
TEST_F(AddCommand, AFileHeldByARunningProgramIsNotWritten) {
    const FileLock program(file + ".lock");
    ASSERT_TRUE(program.Held());
    const Added added = Add({"--title", "T", "--daily", "10:00:00", "--notice", "x"});
    EXPECT_EQ(added.status, cli::kExitFailure);
    EXPECT_NE(added.err.find("held by a running Tidewell that could not be reached"), std::string::npos)
        << added.err;
    EXPECT_EQ(added.waits.size(), 19u);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(AddCommand, RefusedTasksLeaveTheFileAlone) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"--title", "", "--daily", "10:00:00", "--notice", "x"}, "Task title cannot be blank."},
        {{"--title", "T", "--notice", "x"}, "Give exactly one schedule"},
        {{"--title", "T", "--daily", "10:00:00"}, "Give exactly one action"},
        {{"--title", "T", "--daily", "25:00:00", "--notice", "x"},
         "\"25:00:00\" contains invalid character(s)."},
        {{"--title", "T", "--weekly", "Mon,Fry 09:00:00", "--notice", "x"}, "\"Mon,Fry 09:00:00\" contains"},
        {{"--title", "T", "--every", "5y", "--notice", "x"}, "\"5y\" contains invalid character(s)."},
        {{"--title", "T", "--once", "2027-01-01", "--notice", "x"}, "\"2027-01-01\" contains"},
        {{"--title", "T", "--daily", "10:00:00", "--notice", "x", "--colour", "red"},
         "\"--colour\" contains"},
    };
    for (const Case& c : cases) {
        Added added = Add(c.arguments);
        EXPECT_EQ(added.status, cli::kExitFailure) << c.error;
        EXPECT_NE(added.err.find(c.error), std::string::npos) << added.err;
        EXPECT_EQ(added.out, "");
        EXPECT_FALSE(std::filesystem::exists(file)) << c.error;
    }
}

TEST_F(AddCommand, AdministratorPasswordGuardsTheVerbAndProtectsTheFile) {
    SetAdminPassword("secret");
    Added none = Add({"--title", "T", "--daily", "10:00:00", "--notice", "x"});
    EXPECT_EQ(none.status, cli::kExitFailure);
    EXPECT_NE(none.err.find("--password"), std::string::npos) << none.err;
    Added wrong = Add({"--title", "T", "--daily", "10:00:00", "--notice", "x", "--password", "guess"});
    EXPECT_EQ(wrong.status, cli::kExitFailure);
    EXPECT_NE(wrong.err.find("The password is invalid."), std::string::npos) << wrong.err;
    EXPECT_EQ(wrong.waits, std::vector<std::chrono::milliseconds>{kFailedAttemptDelayStep});
    EXPECT_FALSE(std::filesystem::exists(file));

    Added right = Add({"--title", "T", "--daily", "10:00:00", "--notice", "x", "--password", "secret"});
    ASSERT_EQ(right.status, cli::kExitOk) << right.err;
    EXPECT_EQ(Load("secret").size(), 1u);
    std::ostringstream messages;
    cli::ConsoleMessageBox box(messages);
    FixedClock clock(At(2026, 12, 7, 12));
    EXPECT_NE(cli::LoadSchedule(file, "", clock, box, false).failure, "");  // never in plain text
}

TEST_F(AddCommand, AFileUnderAnotherPasswordCostsTheToolItsWait) {
    SetAdminPassword("secret");
    ASSERT_EQ(Add({"--title", "T", "--daily", "10:00:00", "--notice", "x", "--password", "secret"}).status,
              cli::kExitOk);
    SetAdminPassword("");  // the file stays protected under the old one
    Added other = Add({"--title", "U", "--daily", "10:00:00", "--notice", "x", "--password", "guess!"});
    EXPECT_EQ(other.status, cli::kExitFailure);
    EXPECT_EQ(other.waits, std::vector<std::chrono::milliseconds>{kWrongKeyDelay});
    EXPECT_EQ(Load("secret").size(), 1u);
}

TEST_F(AddCommand, APasswordFileThatCannotBeReadRefusesTheVerb) {
    SetAdminPassword("secret");
    const std::string path = BuildLocations(ProcessEnvironment(), RunningProgramDir()).PasswordFilePath();
    std::filesystem::resize_file(path, 10);
    Added added = Add({"--title", "T", "--daily", "10:00:00", "--notice", "x"});
    EXPECT_EQ(added.status, cli::kExitFailure);
    EXPECT_NE(added.err.find(path), std::string::npos) << added.err;
    EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace tidewell
