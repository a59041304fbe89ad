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

TEST(AutostartEntryTest, SchedulingOffKeepsTheEntryButHidesIt) {
    TempDir home;
    Locations locations;
    locations.configHome = home.File("config");
    const std::string path = AutostartEntryPath(locations);
    for (const bool on : {true, false}) {
        ASSERT_TRUE(WriteAutostartEntry(path, "/usr/bin/tidewell", on).ok());
        const std::string entry = ReadFileText(path);
        EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
        EXPECT_NE(entry.find("\nExec=/usr/bin/tidewell autoload\n"), std::string::npos) << entry;
        EXPECT_NE(entry.find(on ? "\nHidden=false\n" : "\nHidden=true\n"), std::string::npos) << entry;
    }
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
