#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/run_cli.h"
#include "platform/control_bus.h"
#include "support/dbus_mock.h"
#include "support/scoped_variable.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// The tool finds the session bus through this variable: a private one for the test.
constexpr const char* kSessionBus = "DBUS_SESSION_BUS_ADDRESS";

class ControlCommands : public ::testing::Test {
protected:
    DbusMock program{DbusMock::Plain{kControlBusName, kControlObjectPath, kControlInterface}};
    ScopedVariable address{kSessionBus, program.Address().c_str()};
};

TEST_F(ControlCommands, EachVerbCallsItsMethodWithTitleAndPassword) {
    struct Case {
        std::vector<std::string> arguments;
        const char* method;
        const char* in;
        std::string call;
        std::string out;
    };
    const Case cases[] = {
        {{"run-now", "Tea"}, "RunNow", "ss", "RunNow \"Tea\" \"\"", "run-now \"Tea\": done.\n"},
        {{"pause", "--password", "pw"}, "Pause", "s", "Pause \"pw\"", "pause: done.\n"},
        {{"resume"}, "Resume", "s", "Resume \"\"", "resume: done.\n"},
        {{"enable", "喝茶", "--json"},
         "Enable",
         "ss",
         "Enable \"喝茶\" \"\"",
         "{\"done\": \"enable\", \"title\": \"喝茶\"}\n"},
        {{"disable", "Tea", "--password", "pw"},
         "Disable",
         "ss",
         "Disable \"Tea\" \"pw\"",
         "disable \"Tea\": done.\n"},
        {{"reload"}, "Reload", "s", "Reload \"\"", "reload: done.\n"},
    };
    for (const Case& c : cases) {
        program.SetMethod(kControlInterface, c.method, c.in, "", "");
        program.TakeCalls();
        CliOutput result = RunCli(c.arguments);
        ASSERT_EQ(result.status, cli::kExitOk) << c.method << result.err;
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(program.TakeCalls(), std::vector<std::string>{c.call});
    }
}

TEST_F(ControlCommands, RefusalsOfTheProgramAreShownInItsWords) {
    const std::string ambiguous = "Several tasks are titled \"Tea\": Tea, Tea";
    program.Refuse(kControlInterface, "RunNow", "ss", kControlErrorAmbiguous, ambiguous);
    CliOutput result = RunCli({"run-now", "Tea"});
    EXPECT_EQ(result.status, cli::kExitFailure);
    EXPECT_EQ(result.err, ambiguous + "\n");
    program.Refuse(kControlInterface, "Pause", "s", kControlErrorPassword, "The password is invalid.");
    result = RunCli({"pause", "--password", "guess"});
    EXPECT_EQ(result.status, cli::kExitFailure);
    EXPECT_EQ(result.err, "The password is invalid.\n");
}

TEST(ControlCommandsWithoutProgram, SayNoProgramRuns) {
    PrivateBus bus;  // a session bus where the program's name has no owner
    ScopedVariable address(kSessionBus, bus.Address().c_str());
    for (const char* verb : {"status", "pause", "resume", "reload"}) {
        CliOutput result = RunCli({verb});
        EXPECT_EQ(result.status, cli::kExitNotRunning) << verb;
        EXPECT_EQ(result.err, "Tidewell is not running.\n");
    }
    EXPECT_EQ(RunCli({"run-now", "Tea"}).status, cli::kExitNotRunning);
    ScopedVariable none(kSessionBus, "unix:path=/nonexistent/bus");  // no session bus at all
    EXPECT_EQ(RunCli({"status"}).status, cli::kExitNotRunning);
}

}  // namespace
}  // namespace tidewell
