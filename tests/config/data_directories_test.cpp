#include "config/data_directories.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "config/copy_user_data.h"
#include "config/locations.h"
#include "config/registry_store.h"
#include "support/fake_settings.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;

std::string MakeTempRoot(const char* name) {
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && *base != 0 ? base : "/tmp") + "/" + name + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

void Put(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

std::string WithPath(int32_t id, const std::string& path) {
    return ReplaceAll(LoadMessage(id), "#1", path);
}

// A temporary root holding a home folder and a program folder.
class DataDirectoriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = MakeTempRoot("data-directories");
        ASSERT_FALSE(m_root.empty());
        m_home = m_root + "/home/ann";
        m_program = m_root + "/opt/tidewell/bin";
        fs::create_directories(m_home);
        fs::create_directories(m_program);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(m_root, ignored)) {
            if (!entry.is_symlink(ignored)) {
                fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
            }
        }
        fs::remove_all(m_root, ignored);
    }

    Locations Build(Environment extra = {}) const {
        extra.emplace(std::string(kHomeVariable), m_home);
        return BuildLocations(extra, m_program);
    }
    std::string DataDir() const { return m_home + "/.local/share/Verimont/Tidewell"; }
    std::string Documents() const { return m_home + "/Documents"; }

    std::string m_root;
    std::string m_home;
    std::string m_program;
};

// ---- locations ----------------------------------------------------------------------------

TEST_F(DataDirectoriesTest, LocationsFollowTheXdgVariables) {
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
        {"empty values count as unset",
         {{"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""}, {"TIDEWELL_MACHINE_CONFIG_DIR", ""}},
         m_home + "/.config",
         m_home + "/.local/share",
         "/etc/xdg"},
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
        EXPECT_EQ(locations.home, m_home);
        EXPECT_EQ(locations.configHome, c.configHome);
        EXPECT_EQ(locations.dataHome, c.dataHome);
        EXPECT_EQ(locations.machineConfigDir, c.machine);
        EXPECT_EQ(locations.documentsDir, Documents());
        EXPECT_EQ(locations.ProductSettingsDir(), c.configHome + "/Verimont/Tidewell");
        EXPECT_EQ(locations.UserSettingsDir("2.7"), c.configHome + "/Verimont/Tidewell/2.7");
        EXPECT_EQ(locations.MachineSettingsDir("2.7"), c.machine + "/Verimont/Tidewell/2.7");
        const std::string data = c.dataHome + "/Verimont/Tidewell";
        EXPECT_EQ(locations.ProgramDataDir(), data);
        EXPECT_EQ(locations.ConfigDir(), data + "/config");
        EXPECT_EQ(locations.LogDir(), data + "/log");
        EXPECT_EQ(locations.TempDir(), data + "/temp");
        EXPECT_EQ(locations.PasswordFilePath(), data + "/config/mar.dat");
        EXPECT_EQ(locations.BaseConfigFilePath(), data + "/config/configbase.ini");
    }
}

TEST_F(DataDirectoriesTest, ProgramFolderGivesTheInstalledDataAndLanguageFolders) {
    const Locations locations = Build();
    EXPECT_EQ(locations.programDir, m_program);
    EXPECT_EQ(locations.installedDataDir, m_root + "/opt/tidewell/share/tidewell");
    EXPECT_EQ(locations.LanguageDirs(),
              (std::vector<std::string>{m_program + "/Language",
                                        m_root + "/opt/tidewell/share/tidewell/Language"}));
    EXPECT_EQ(locations.BaseConfigSources(),
              (std::vector<std::string>{m_program + "/config/configbase.ini",
                                        m_root + "/opt/tidewell/share/tidewell/config/configbase.ini"}));
    EXPECT_EQ(ScheduleFilePath("/data/udd"), "/data/udd/schedule.rws");
    EXPECT_EQ(ScheduleFilePath(""), "");

    Environment environment{{std::string(kHomeVariable), m_home}};
    const Locations portable = BuildLocations(environment, m_program, true);
    EXPECT_EQ(portable.ProgramDataDir(), m_program);
    EXPECT_EQ(portable.TempDir(), m_program + "/temp");
    EXPECT_EQ(portable.PasswordFilePath(), m_program + "/config/mar.dat");
    EXPECT_FALSE(RunningProgramDir().empty());
}

TEST_F(DataDirectoriesTest, WithoutHomeNothingLandsInTheWorkingFolder) {
    const Locations locations = BuildLocations({{"HOME", "relative"}}, m_program);
    EXPECT_EQ(locations.home, "");
    EXPECT_EQ(locations.ProgramDataDir(), "");
    EXPECT_EQ(locations.TempDir(), "");
    EXPECT_EQ(locations.documentsDir, "");
    EXPECT_EQ(locations.UserSettingsDir("2.7"), "");
    EXPECT_FALSE(InitDataFolders(locations).ok());
    EXPECT_EQ(DefaultUserDataDirectory(locations), "");
    EXPECT_EQ(CleanTemporaryFiles(locations), 0u);
}

TEST(UserDirsTest, DocumentsFolderAsTheDesktopNamesIt) {
    struct Case {
        const char* text;
        const char* documents;
    };
    const Case cases[] = {
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "/home/ann/Docs"},
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_DOCUMENTS_DIR = \"$HOME/My Files/\"\n",
         "/home/ann/My Files"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/ann"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"\r\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Say \\\"hi\\\"\"\n", "/home/ann/Say \"hi\""},
        {"XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"$HOME/B\"\n", "/home/ann/B"},
        {"XDG_DOCUMENTS_DIR=\"$HOME/A\"\nXDG_DOCUMENTS_DIR=\"relative\"\n", "/home/ann/A"},
        {"XDG_DOCUMENTS_DIR=\"relative/docs\"\n", ""},
        {"XDG_DOCUMENTS_DIR=$HOME/Docs\n", ""},
        {"XDG_DOCUMENTS_DIR=\"$HOME/Docs\n", ""},
        {"XDG_DOCUMENTS_DIR=\"$HOMEWORK/Docs\"\n", ""},
        {"#XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DocumentsDirFromUserDirs(c.text, "/home/ann"), c.documents) << c.text;
    }
}

TEST_F(DataDirectoriesTest, DocumentsFolderComesFromUserDirsOfTheConfigHome) {
    Put(m_root + "/cfg/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n");
    EXPECT_EQ(Build({{"XDG_CONFIG_HOME", m_root + "/cfg"}}).documentsDir, m_home + "/Docs");
    EXPECT_EQ(Build().documentsDir, Documents()) << "~/.config has no user-dirs.dirs";
    Put(m_home + "/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/shared docs\"\n");
    EXPECT_EQ(Build().documentsDir, "/srv/shared docs");
}

// ---- program data folders -----------------------------------------------------------------

TEST_F(DataDirectoriesTest, InitDataFoldersMakesTheFoldersAndAPrivateTemporaryFolder) {
    const Locations locations = Build();
    const mode_t mask = ::umask(0);
    const Result result = InitDataFolders(locations);
    ::umask(mask);
    ASSERT_TRUE(result.ok()) << result.message();
    for (const std::string& folder :
         {locations.ProgramDataDir(), locations.ConfigDir(), locations.LogDir()}) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    }
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
    EXPECT_FALSE(fs::exists(locations.BaseConfigFilePath())) << "no original to copy";

    // An older temporary folder that was opened up is closed again.
    ::chmod(locations.TempDir().c_str(), 0755);
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
}

TEST_F(DataDirectoriesTest, InitDataFoldersRefusesWhatItCannotMake) {
    struct Case {
        const char* name;
        std::function<void(const Locations&)> prepare;
        std::function<std::string(const Locations&)> failing;
    };
    const std::vector<Case> cases = {
        {"a file in place of the data folder", [](const Locations& l) { Put(l.ProgramDataDir(), "x"); },
         [](const Locations& l) { return l.ProgramDataDir(); }},
        {"a file in place of the log folder", [](const Locations& l) { Put(l.LogDir(), "x"); },
         [](const Locations& l) { return l.LogDir(); }},
        {"a link in place of the temporary folder",
         [this](const Locations& l) {
             fs::create_directories(l.ProgramDataDir());
             fs::create_directories(m_root + "/elsewhere");
             fs::create_directory_symlink(m_root + "/elsewhere", l.TempDir());
         },
         [](const Locations& l) { return l.TempDir(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_home + "/.local");
        const Locations locations = Build();
        c.prepare(locations);
        const Result result = InitDataFolders(locations);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.message(), WithPath(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, c.failing(locations)));
    }
}

TEST_F(DataDirectoriesTest, BaseConfigurationIsCopiedOnceAndNeverReplaced) {
    const Locations locations = Build();
    Put(locations.BaseConfigSources()[1], "installed copy");
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(Get(locations.BaseConfigFilePath()), "installed copy");

    Put(locations.BaseConfigSources()[0], "program folder copy");
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(Get(locations.BaseConfigFilePath()), "installed copy") << "an existing file stays";

    fs::remove(locations.BaseConfigFilePath());
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(Get(locations.BaseConfigFilePath()), "program folder copy") << "the program folder first";
    EXPECT_EQ(std::distance(fs::directory_iterator(locations.ConfigDir()), fs::directory_iterator()), 1)
        << "no scratch file left";
}

TEST_F(DataDirectoriesTest, CleanTemporaryFilesRemovesOnlyTpsFiles) {
    const Locations locations = Build();
    ASSERT_TRUE(InitDataFolders(locations).ok());
    const std::string temp = locations.TempDir();
    for (const char* name : {"temp0.tps", "temp17.tps", "UPPER.TPS", "keep.tps.txt", "keep.txt", ".tps"}) {
        Put(temp + "/" + name, "x");
    }
    fs::create_directories(temp + "/folder.tps");
    fs::create_symlink(m_root + "/target-that-stays", temp + "/link.tps");
    Put(m_root + "/target-that-stays", "target");

    EXPECT_EQ(CleanTemporaryFiles(locations), 4u);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(temp)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".tps", "folder.tps", "keep.tps.txt", "keep.txt"}));
    EXPECT_EQ(Get(m_root + "/target-that-stays"), "target");
    EXPECT_EQ(CleanTemporaryFiles(locations), 0u);
}

// ---- user data directory ------------------------------------------------------------------

TEST_F(DataDirectoriesTest, ValidationRulesApplyInOrder) {
    const Locations locations = Build();
    Put(m_root + "/plain-file", "x");
    Put(DataDir() + "/log/file-inside", "x");
    Put(Documents() + "/a-file", "x");
    fs::create_directories(Documents() + "/existing");
    fs::create_directory_symlink(DataDir(), m_root + "/link-to-data");
    fs::create_directories(m_root + "/elsewhere");
    fs::create_directory_symlink(m_root + "/elsewhere", Documents() + "/link-out");

    const std::string invalid = "invalid";
    const std::string root = "root";
    const std::string underProduct = "under product";
    const std::string notFolder = "not a folder";
    const std::string warning = "warning";
    const std::string fine = "";
    struct Case {
        std::string path;
        std::string verdict;
    };
    const std::vector<Case> cases = {
        {"", invalid},
        {"relative/folder", invalid},
        {"./here", invalid},
        {Documents() + "/tab\there", invalid},
        {Documents() + "/line\nbreak", invalid},
        {Documents() + "/" + std::string(256, 'n'), invalid},
        {m_root + "/plain-file/below", invalid},
        {"/", root},
        {"//", root},
        {"/.", root},
        {m_root + "/..//../../../..", root},
        {DataDir(), underProduct},
        {DataDir() + "/", underProduct},
        {DataDir() + "/new/folder", underProduct},
        {m_home + "/.LOCAL/Share/verimont/TIDEWELL/x", underProduct},
        {DataDir() + "/log/file-inside", underProduct},  // step 3 before step 4
        {m_root + "/link-to-data/sub", underProduct},
        {Documents() + "/../.local/share/Verimont/Tidewell", underProduct},
        {m_root + "/plain-file", notFolder},
        {Documents() + "/a-file", notFolder},  // step 4 before step 5
        {DataDir() + "X", warning},            // a neighbour of the data folder is not inside it
        {"/a", warning},
        {m_root + "/elsewhere", warning},
        {Documents() + "/link-out/sub", fine},  // inside as the user sees it
        {Documents(), fine},
        {Documents() + "/existing", fine},
        {Documents() + "/Verimont User Data/new/deeper/", fine},
        {Documents() + "/./x/../y", fine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const PathVerdict verdict = ValidateUserDataDirectory(c.path, locations);
        std::string expected;
        if (c.verdict == invalid) {
            expected = WithPath(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, c.path);
        } else if (c.verdict == root) {
            expected = LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_ROOT);
        } else if (c.verdict == underProduct) {
            expected = LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_UNDER_PRODUCT_ROOT);
        } else if (c.verdict == notFolder) {
            expected = WithPath(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, c.path);
        } else if (c.verdict == warning) {
            expected = WithPath(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, c.path);
        }
        EXPECT_EQ(verdict.accepted, c.verdict == warning || c.verdict == fine);
        EXPECT_EQ(verdict.message, expected);
    }
    EXPECT_FALSE(fs::exists(Documents() + "/Verimont User Data")) << "checking creates nothing";
}

TEST_F(DataDirectoriesTest, DefaultIsTheFirstFreeOrFolderCandidate) {
    const Locations locations = Build();
    const std::string base = Documents() + "/Verimont User Data";
    struct Case {
        const char* name;
        std::vector<std::string> files;    // below the base
        std::vector<std::string> folders;  // below the base
        bool peEdition;
        std::string expected;  // below the base; empty: none
    };
    const std::vector<Case> cases = {
        {"nothing there", {}, {}, false, "Ostrel"},
        {"edition without macros", {}, {}, true, "TidewellPE"},
        {"a folder there is taken", {}, {"Ostrel"}, false, "Ostrel"},
        {"a file there gives the first numbered one", {"Ostrel"}, {}, false, "Tidewell (1)"},
        {"numbered files are passed", {"Ostrel", "Tidewell (1)", "Tidewell (2)"}, {}, false, "Tidewell (3)"},
        {"a numbered folder is taken", {"TidewellPE"}, {"Tidewell (1)"}, true, "Tidewell (1)"},
        {"none left",
         {"Ostrel", "Tidewell (1)", "Tidewell (2)", "Tidewell (3)", "Tidewell (4)", "Tidewell (5)"},
         {},
         false,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(base);
        for (const std::string& file : c.files) {
            Put(base + "/" + file, "x");
        }
        for (const std::string& folder : c.folders) {
            fs::create_directories(base + "/" + folder);
        }
        EXPECT_EQ(DefaultUserDataDirectory(locations, c.peEdition),
                  c.expected.empty() ? "" : base + "/" + c.expected);
    }
    // A link that points nowhere is something there, not a folder.
    fs::remove_all(base);
    fs::create_directories(base);
    fs::create_symlink(m_root + "/nowhere", base + "/Ostrel");
    EXPECT_EQ(DefaultUserDataDirectory(locations), base + "/Tidewell (1)");
}

TEST_F(DataDirectoriesTest, StartUpTakesTheDefaultAndRemembersIt) {
    const Locations locations = Build();
    const std::string expected = Documents() + "/Verimont User Data/Ostrel";
    {
        RegistryStore product(locations.ProductSettingsDir());
        UserDataDirectory udd(locations, product);
        EXPECT_FALSE(udd.Load());
        EXPECT_EQ(udd.Path(), "");
        ASSERT_TRUE(udd.CheckSet());
        EXPECT_EQ(udd.Path(), expected);
        EXPECT_EQ(udd.ScheduleFile(), expected + "/schedule.rws");
        EXPECT_TRUE(fs::is_directory(expected));
    }
    EXPECT_EQ(Get(locations.ProductSettingsDir() + "/registry.ini"),
              ";Tidewell settings registry\r\n\r\n[User Data Directory]\r\n@ = sz:" + expected + "\r\n");
    fs::remove_all(expected);
    RegistryStore product(locations.ProductSettingsDir());
    UserDataDirectory again(locations, product);
    ASSERT_TRUE(again.Load()) << "a remembered folder that went missing is made again";
    EXPECT_EQ(again.Path(), expected);
    EXPECT_TRUE(fs::is_directory(expected));
}

TEST_F(DataDirectoriesTest, RememberedDirectoryThatFailsTheChecksGivesWayToTheDefault) {
    const Locations locations = Build();
    Put(m_root + "/now-a-file", "x");
    const std::string fallback = Documents() + "/Verimont User Data/Ostrel";
    const std::vector<std::string> stored = {DataDir() + "/udd", "/", "relative", m_root + "/now-a-file"};
    for (const std::string& value : stored) {
        SCOPED_TRACE(value);
        testing::FakeSettings settings;
        settings.strings[{std::string(kUserDataDirectorySection), ""}] = value;
        UserDataDirectory udd(locations, settings);
        EXPECT_FALSE(udd.Load());
        ASSERT_TRUE(udd.CheckSet());
        EXPECT_EQ(udd.Path(), fallback);
        EXPECT_EQ((settings.strings[{std::string(kUserDataDirectorySection), ""}]), fallback);
    }
    EXPECT_FALSE(fs::exists(DataDir() + "/udd"));
}

TEST_F(DataDirectoriesTest, SetChecksCreatesAndRemembers) {
    const Locations locations = Build();
    testing::FakeSettings settings;
    UserDataDirectory udd(locations, settings);
    const auto remembered = [&] { return settings.strings[{std::string(kUserDataDirectorySection), ""}]; };

    PathVerdict verdict = udd.Set(Documents() + "/Mine/");
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.message, "");
    EXPECT_EQ(udd.Path(), Documents() + "/Mine");
    EXPECT_EQ(remembered(), Documents() + "/Mine");

    const std::string outside = m_root + "/shared/schedules";
    verdict = udd.Set(outside);
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.message, WithPath(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, outside));
    EXPECT_TRUE(fs::is_directory(outside));
    EXPECT_EQ(udd.Path(), outside);
    EXPECT_EQ(udd.ScheduleFile(), outside + "/schedule.rws");

    verdict = udd.Set("/");
    EXPECT_FALSE(verdict.accepted);
    EXPECT_EQ(verdict.message, LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_ROOT));
    EXPECT_EQ(udd.Path(), outside) << "a refusal changes nothing";
    EXPECT_EQ(remembered(), outside);
}

TEST_F(DataDirectoriesTest, FolderThatCannotBeCreatedIsNotTaken) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser creates folders anywhere";
    }
    const Locations locations = Build();
    fs::create_directories(Documents() + "/locked");
    fs::permissions(Documents() + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
    testing::FakeSettings settings;
    UserDataDirectory udd(locations, settings);
    const std::string path = Documents() + "/locked/udd";
    const PathVerdict verdict = udd.Set(path);
    EXPECT_FALSE(verdict.accepted);
    EXPECT_EQ(verdict.message, WithPath(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, path));
    EXPECT_EQ(udd.Path(), "");
    EXPECT_TRUE(settings.strings.empty());
}

// ---- copying user data -------------------------------------------------------------------

// Everything below a folder: files with their bytes, links with their targets, folders.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> entries;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().lexically_relative(folder).string();
        if (it->is_symlink()) {
            entries[name] = "-> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            entries[name] = "<folder>";
        } else {
            // Large files by size and hash, so that a failure message stays readable.
            const std::string bytes = Get(it->path().string());
            entries[name] = bytes.size() <= 64 ? bytes
                                               : std::to_string(bytes.size()) + " bytes, hash " +
                                                     std::to_string(std::hash<std::string>{}(bytes));
        }
    }
    return entries;
}

class CopyUserDataTest : public DataDirectoriesTest {
protected:
    void SetUp() override {
        DataDirectoriesTest::SetUp();
        m_from = m_root + "/old";
        Put(m_from + "/schedule.rws", "[Tasks]\r\n");
        Put(m_from + "/qv.ini", "[Quick View]\r\n");
        Put(m_from + "/.hidden", "h");
        Put(m_from + "/empty.txt", "");
        Put(m_from + "/sub/deep/notes.txt", "deep");
        fs::create_directories(m_from + "/empty folder");
        Put(m_from + "/big.bin", std::string(3u << 19, 'b'));
        fs::create_symlink("schedule.rws", m_from + "/link");
        m_source = Snapshot(m_from);
    }

    // Records every report and answers from `stopAt` on with a cancel.
    CopyProgressCallback Recorder(std::size_t stopAt = SIZE_MAX) {
        return [this, stopAt](const CopyProgress& progress) {
            m_reports.push_back(progress);
            return m_reports.size() < stopAt;
        };
    }

    std::string m_from;
    std::map<std::string, std::string> m_source;
    std::vector<CopyProgress> m_reports;
};

TEST_F(CopyUserDataTest, CopyAndMoveTakeTheWholeContentWithProgress) {
    for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
        SCOPED_TRACE(mode == CopyMode::Copy ? "copy" : "move");
        const std::string to = m_root + (mode == CopyMode::Copy ? "/copied/new/udd" : "/moved");
        m_reports.clear();
        const Result result = CopyUserData(m_from, to, mode, Recorder());
        ASSERT_TRUE(result.ok()) << result.message();
        EXPECT_EQ(Snapshot(to), m_source);
        if (mode == CopyMode::Copy) {
            EXPECT_EQ(Snapshot(m_from), m_source);
        } else {
            EXPECT_TRUE(fs::is_directory(m_from)) << "the folder itself stays";
            EXPECT_TRUE(Snapshot(m_from).empty());
        }
        ASSERT_FALSE(m_reports.empty());
        EXPECT_GT(m_reports.size(), 7u) << "the big file reports more than once";
        for (std::size_t i = 1; i < m_reports.size(); ++i) {
            EXPECT_GE(m_reports[i].bytesDone, m_reports[i - 1].bytesDone);
            EXPECT_GE(m_reports[i].filesDone, m_reports[i - 1].filesDone);
        }
        const CopyProgress& last = m_reports.back();
        EXPECT_EQ(last.bytesTotal, (3u << 19) + 9 + 14 + 1 + 0 + 4);
        EXPECT_EQ(last.bytesDone, last.bytesTotal);
        EXPECT_EQ(last.filesTotal, 7u);
        EXPECT_EQ(last.filesDone, 7u);
        if (mode == CopyMode::Copy) {
            m_from = to;  // the move starts from the copy
        }
    }
}

TEST_F(CopyUserDataTest, CopyIntoAnExistingFolderReplacesSameNamesAndKeepsTheRest) {
    const std::string to = m_root + "/existing";
    Put(to + "/schedule.rws", "older schedule");
    Put(to + "/mine.txt", "mine");
    Put(to + "/sub/other.txt", "other");
    ::chmod((m_from + "/qv.ini").c_str(), 0640);
    ASSERT_TRUE(CopyUserData(m_from, to, CopyMode::Copy).ok());
    std::map<std::string, std::string> expected = m_source;
    expected["mine.txt"] = "mine";
    expected["sub/other.txt"] = "other";
    EXPECT_EQ(Snapshot(to), expected);
    EXPECT_EQ(ModeOf(to + "/qv.ini"), 0640u) << "modes go along";
}

TEST_F(CopyUserDataTest, FailureOrCancelInTheMiddleKeepsTheSourceAndTheTarget) {
    struct Case {
        const char* name;
        std::function<void(const std::string& to)> prepare;
        std::size_t stopAt;
        std::function<std::string(const std::string& to)> message;
    };
    const std::vector<Case> cases = {
        {"a file where a folder goes", [](const std::string& to) { Put(to + "/sub", "a file"); }, SIZE_MAX,
         [](const std::string& to) { return WithPath(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, to + "/sub"); }},
        {"a folder where a file goes",
         [](const std::string& to) { fs::create_directories(to + "/qv.ini/inside"); }, SIZE_MAX,
         [](const std::string& to) {
             return WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, to + "/qv.ini");
         }},
        {"canceled while copying the big file", [](const std::string&) {}, 3,
         [](const std::string&) { return LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER); }},
        {"canceled after the last file", [](const std::string&) {},
         0,  // set below: the last report
         [](const std::string&) { return LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER); }},
    };
    std::size_t reportCount = 0;
    ASSERT_TRUE(CopyUserData(m_from, m_root + "/count", CopyMode::Copy, [&](const CopyProgress&) {
                    ++reportCount;
                    return true;
                }).ok());
    for (const Case& c : cases) {
        for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
            SCOPED_TRACE(c.name);
            SCOPED_TRACE(mode == CopyMode::Copy ? "copy" : "move");
            const std::string to = m_root + "/target";
            fs::remove_all(to);
            Put(to + "/schedule.rws", "older schedule");
            c.prepare(to);
            const std::map<std::string, std::string> before = Snapshot(to);
            m_reports.clear();
            const Result result =
                CopyUserData(m_from, to, mode, Recorder(c.stopAt == 0 ? reportCount : c.stopAt));
            EXPECT_FALSE(result.ok());
            EXPECT_EQ(result.message(), c.message(to));
            EXPECT_EQ(Snapshot(m_from), m_source);
            EXPECT_EQ(Snapshot(to), before) << "no copy and no scratch file left";
        }
    }
    // A target folder made for the copy goes again.
    const std::string fresh = m_root + "/fresh/deeper";
    EXPECT_FALSE(CopyUserData(m_from, fresh, CopyMode::Move, Recorder(2)).ok());
    EXPECT_FALSE(fs::exists(m_root + "/fresh"));
    EXPECT_EQ(Snapshot(m_from), m_source);
}

TEST_F(CopyUserDataTest, RefusesWhatCannotBeCopied) {
    Put(m_root + "/a-file", "x");
    const std::string sameAsSource =
        LoadMessage(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME);
    struct Case {
        std::string from;
        std::string to;
        std::string message;
    };
    const std::vector<Case> cases = {
        {m_root + "/missing", m_root + "/to",
         WithPath(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, m_root + "/missing")},
        {m_root + "/a-file", m_root + "/to",
         WithPath(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, m_root + "/a-file")},
        {m_from, m_from, sameAsSource},
        {m_from, m_from + "/", sameAsSource},
        {m_from, m_from + "/sub/new", sameAsSource},
        {m_from, m_root + "/a-file", WithPath(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, m_root + "/a-file")},
    };
    for (const Case& c : cases) {
        for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
            SCOPED_TRACE(c.from + " -> " + c.to);
            const Result result = CopyUserData(c.from, c.to, mode);
            EXPECT_FALSE(result.ok());
            EXPECT_EQ(result.message(), c.message);
            EXPECT_EQ(Snapshot(m_from), m_source);
        }
    }
    // The source inside the target: refused only when something would land on the source.
    Put(m_root + "/outer/inner/inner/file.txt", "f");
    for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
        const Result result = CopyUserData(m_root + "/outer/inner", m_root + "/outer", mode);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(result.message(), sameAsSource);
        EXPECT_EQ(Get(m_root + "/outer/inner/inner/file.txt"), "f");
    }
    ASSERT_TRUE(CopyUserData(m_from + "/sub", m_from, CopyMode::Move).ok());
    EXPECT_EQ(Get(m_from + "/deep/notes.txt"), "deep");
    EXPECT_TRUE(Snapshot(m_from + "/sub").empty());
}

TEST_F(CopyUserDataTest, UnreadableFileStopsTheMoveBeforeAnythingIsRemoved) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "the superuser reads every file";
    }
    ::chmod((m_from + "/sub/deep/notes.txt").c_str(), 0);
    const std::string to = m_root + "/target";
    const Result result = CopyUserData(m_from, to, CopyMode::Move);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.message(),
              WithPath(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, m_from + "/sub/deep/notes.txt"));
    EXPECT_FALSE(fs::exists(to));
    ::chmod((m_from + "/sub/deep/notes.txt").c_str(), 0600);
    EXPECT_EQ(Snapshot(m_from), m_source);
}

}  // namespace
}  // namespace tidewell
