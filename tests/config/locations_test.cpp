#include "config/locations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

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

TEST_F(LocationsTest, FollowTheXdgVariables) {
    struct Case {
        const char* name;
        Environment environment;
        std::string configHome;
        std::string dataHome;
        std::string machine;
    };
    const std::vector<Case> cases = {
        {"defaults below HOME", {}, m_home + "/.config", m_home + "/.local/share", "/etc/xdg"},
        {"variables set",
         {{"XDG_CONFIG_HOME", m_root + "/cfg"},
          {"XDG_DATA_HOME", m_root + "/data"},
          {"TIDEWELL_MACHINE_CONFIG_DIR", m_root + "/etc"}},
         m_root + "/cfg",
         m_root + "/data",
         m_root + "/etc"},
        {"relative values are ignored",
         {{"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", "./data"}, {"TIDEWELL_MACHINE_CONFIG_DIR", "etc"}},
         m_home + "/.config",
         m_home + "/.local/share",
         "/etc/xdg"},
        {"trailing and repeated slashes go",
         {{"XDG_CONFIG_HOME", m_root + "//cfg/"}, {"XDG_DATA_HOME", m_root + "/data/./"}},
         m_root + "/cfg",
         m_root + "/data",
         "/etc/xdg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Locations locations = Build(c.environment);
        EXPECT_EQ(locations.documentsDir, m_home + "/Documents");
        EXPECT_EQ(locations.UserSettingsDir("2.7"), c.configHome + "/Verimont/Tidewell/2.7");
        EXPECT_EQ(locations.MachineSettingsDir("2.7"), c.machine + "/Verimont/Tidewell/2.7");
        EXPECT_EQ(locations.TempDir(), c.dataHome + "/Verimont/Tidewell/temp");
        EXPECT_EQ(locations.PasswordFilePath(), c.dataHome + "/Verimont/Tidewell/config/mar.dat");
    }
    // Installed data lies in <prefix>/share/tidewell, the prefix being the folder above the program's.
    EXPECT_EQ(Build().LanguageDirs(),
              (std::vector<std::string>{m_program + "/Language",
                                        m_root + "/opt/tidewell/share/tidewell/Language"}));
    const Locations portable = BuildLocations({{std::string(kHomeVariable), m_home}}, m_program, true);
    EXPECT_EQ(portable.TempDir(), m_program + "/temp");
    EXPECT_EQ(portable.PasswordFilePath(), m_program + "/config/mar.dat");
}

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
    for (const Case& c : cases) {
        EXPECT_EQ(DocumentsDirFromUserDirs(c.text, "/home/ann"), c.documents) << c.text;
    }
    fs::create_directories(m_root + "/cfg");
    testing::WriteFileText(m_root + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(Build({{"XDG_CONFIG_HOME", m_root + "/cfg"}}).documentsDir, m_home + "/Docs");
    EXPECT_EQ(Build().documentsDir, m_home + "/Documents") << "~/.config has no user-dirs.dirs";
}

}  // namespace
}  // namespace tidewell
