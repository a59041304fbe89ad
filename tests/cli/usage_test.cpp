#include "cli/usage.h"

#include <gtest/gtest.h>

#include "cli/run_cli.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TEST(Usage, HelpGoesToStandardOutputAndNamesEveryVerb) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"help"}}) {
        CliOutput result = RunCli(arguments);
        EXPECT_EQ(result.status, cli::kExitOk);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out.rfind("usage:\n", 0), 0u);
        for (std::string_view verb : cli::VerbNames())
            EXPECT_NE(result.out.find("tidewell-cli " + std::string(verb)), std::string::npos) << verb;
    }
}

TEST(Usage, OneVerbsHelpTheVersionAndNoArguments) {
    const CliOutput agenda = RunCli({"help", "agenda"});
    EXPECT_EQ(agenda.status, cli::kExitOk);
    EXPECT_NE(agenda.out.find("tidewell-cli agenda FILE --from"), std::string::npos);
    EXPECT_EQ(agenda.out.find("tidewell-cli list"), std::string::npos);
    EXPECT_EQ(RunCli({"--version"}).out, "tidewell-cli Version 2.7\n");
    const CliOutput none = RunCli({});
    EXPECT_EQ(none.status, cli::kExitFailure);
    EXPECT_NE(none.err.find("usage:\n"), std::string::npos);
}

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
