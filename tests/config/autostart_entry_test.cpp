#include "config/autostart_entry.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/temp_dir.h"

namespace tidewell {
namespace {

using testing::ReadFileText;
using testing::TempDir;

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
    for (const auto& [path, exec] : cases) {
        EXPECT_EQ(AutostartExecValue(path), exec) << path;
    }
}

TEST(AutostartEntryTest, SchedulingOnStartsHiddenProgramOffKeepsEntryHidden) {
    TempDir home;
    Locations locations;
    locations.configHome = home.File("config");
    const std::string path = AutostartEntryPath(locations);
    EXPECT_EQ(path, home.File("config/autostart/tidewell.desktop"));

    ASSERT_TRUE(WriteAutostartEntry(path, "/usr/bin/tidewell", true).ok());
    std::string on = ReadFileText(path);
    EXPECT_NE(on.find("\nExec=/usr/bin/tidewell autoload\n"), std::string::npos) << on;
    EXPECT_NE(on.find("\nHidden=false\n"), std::string::npos) << on;
    EXPECT_EQ(on.rfind("[Desktop Entry]\n", 0), 0u);

    ASSERT_TRUE(WriteAutostartEntry(path, "/usr/bin/tidewell", false).ok());
    std::string off = ReadFileText(path);
    EXPECT_NE(off.find("\nExec=/usr/bin/tidewell autoload\n"), std::string::npos) << off;
    EXPECT_NE(off.find("\nHidden=true\n"), std::string::npos) << off;
}

TEST(AutostartEntryTest, RefusedPathWritesNothing) {
    TempDir home;
    const std::string path = home.File("autostart/tidewell.desktop");
    Result result = WriteAutostartEntry(path, "tidewell", true);
    EXPECT_EQ(result.kind(), ErrorKind::invalid);
    EXPECT_TRUE(testing::FolderEntries(home.Path()).empty());
}

}  // namespace
}  // namespace tidewell
