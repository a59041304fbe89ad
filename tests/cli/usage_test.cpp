#include "cli/usage.h"

#include <gtest/gtest.h>

#include "cli/run_cli.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TEST(Usage, UnknownCommandsListTheVerbs) {
    struct Case {
        std::vector<std::string> arguments;
        std::string verb;
    };
    const Case cases[] = {
        {{"frobnicate", "x"}, "frobnicate"}, {{"help", "frobnicate"}, "frobnicate"}, {{"--list"}, "--list"}};
    for (const Case& c : cases) {
        CliOutput result = RunCli(c.arguments);
        EXPECT_EQ(result.status, cli::kExitFailure) << c.verb;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err.rfind("Unknown command \"" + c.verb + "\". Commands: list, upcoming, check,", 0),
                  0u)
            << result.err;
    }
}

}  // namespace
}  // namespace tidewell
