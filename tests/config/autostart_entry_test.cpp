#include "config/autostart_entry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tidewell {
namespace {

TEST(AutostartExecValueTest, QuotesAndEscapesAsDesktopEntriesRequire) {
    using Case = std::tuple<std::string, std::string>;
    const Case cases[] = {
        {"/usr/bin/tidewell", "/usr/bin/tidewell autoload"},
        {"/opt/my apps/tidewell", "\"/opt/my apps/tidewell\" autoload"},
        // Inside quotes $ and \ are escaped, and the backslashes doubled again for the string.
        {"/opt/a$b/tw", "\"/opt/a\\\\$b/tw\" autoload"},
        {"/opt/a\\b/tw", "\"/opt/a\\\\\\\\b/tw\" autoload"},
        {"/opt/100%/tw", "\"/opt/100%%/tw\" autoload"},
        {"relative/tidewell", ""},
        {"/opt/line\nbreak/tw", ""},
    };
    for (const auto& [path, exec] : cases) EXPECT_EQ(AutostartExecValue(path), exec) << path;
}

}  // namespace
}  // namespace tidewell
