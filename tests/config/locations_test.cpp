#include "config/locations.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/data_directories.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

// A temporary root holding a home folder and a program folder.
class LocationsTest : public ::testing::Test {
protected:
    LocationsTest() {
        fs::create_directories(m_home);
        fs::create_directories(m_program);
    }
    Locations Build(Environment extra = {}) const {
        extra.emplace(std::string(kHomeVariable), m_home);
        return BuildLocations(extra, m_program);
    }

    testing::TempDir m_temp;
    std::string m_root = m_temp.Path();
    std::string m_home = m_root + "/home/ann";
    std::string m_program = m_root + "/opt/tidewell/bin";
};

TEST_F(LocationsTest, WithoutHomeNothingLandsInTheWorkingFolder) {
    const Locations locations = BuildLocations({{"HOME", "relative"}}, m_program);
    EXPECT_EQ(locations.ProgramDataDir(), "");
    EXPECT_EQ(locations.TempDir(), "");
    EXPECT_EQ(locations.documentsDir, "");
    EXPECT_EQ(locations.UserSettingsDir("2.7"), "");
    EXPECT_EQ(InitDataFolders(locations).kind(), ErrorKind::io);
    EXPECT_EQ(DefaultUserDataDirectory(locations), "");
    EXPECT_EQ(CleanTemporaryFiles(locations), 0u);
}

TEST_F(LocationsTest, DocumentsFolderAsTheDesktopNamesIt) {
    struct Case {
        const char* text;
        const char* documents;
    };
    const Case cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "/home/ann/Docs"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_DOCUMENTS_DIR = \"$HOME/My Files/\"\n",
         "/home/ann/My Files"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"\r\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Say \\\"hi\\\"\"\n", "/home/ann/Say \"hi\""},
        {"XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"relative\"\n", "/home/ann/A"},
        {"XDG_DOCUMENTS_DIR=$HOME/Docs\n", ""},
        {"XDG_DOCUMENTS_DIR=\"$HOMEWORK/Docs\"\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DocumentsDirFromUserDirs(c.text, "/home/ann"), c.documents) << c.text;
    fs::create_directories(m_root + "/cfg");
    testing::WriteFileText(m_root + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(Build({{"XDG_CONFIG_HOME", m_root + "/cfg"}}).documentsDir, m_home + "/Docs");
    EXPECT_EQ(Build().documentsDir, m_home + "/Documents") << "~/.config has no user-dirs.dirs";
}

}  // namespace
}  // namespace tidewell
