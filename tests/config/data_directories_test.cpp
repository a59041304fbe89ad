#include "config/data_directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <vector>

#include "store/registry_store.h"
#include "files/durable_file.h"
#include "support/fake_settings.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;

using testing::WriteFileText;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

class DataDirectoriesTest : public ::testing::Test {
protected:
    DataDirectoriesTest() { fs::create_directories(m_home); }
    Locations Build() const {
        return BuildLocations({{std::string(kHomeVariable), m_home}}, m_root + "/opt/bin");
    }
    std::string DataDir() const { return m_home + "/.local/share/Verimont/Tidewell"; }
    std::string Documents() const { return m_home + "/Documents"; }

    testing::TempDir m_temp;
    std::string m_root = m_temp.Path();
    std::string m_home = m_root + "/home/ann";
};

TEST_F(DataDirectoriesTest, InitDataFoldersMakesAPrivateTemporaryFolderAndSeedsTheConfiguration) {
    const Locations locations = Build();
    WriteFileText(locations.BaseConfigSources()[1], "installed copy");
    const mode_t mask = ::umask(0);
    const Result result = InitDataFolders(locations);
    ::umask(mask);
    ASSERT_TRUE(result.ok()) << result.message();
    EXPECT_TRUE(fs::is_directory(locations.LogDir()));
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "installed copy");

    ::chmod(locations.TempDir().c_str(), 0755);  // an older folder that was opened up is closed again
    WriteFileText(locations.BaseConfigSources()[0], "program folder copy");
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "installed copy") << "an existing file stays";
    fs::remove(locations.BaseConfigFilePath());
    ASSERT_TRUE(InitDataFolders(locations).ok());
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "program folder copy")
        << "the program folder first";
    EXPECT_EQ(testing::FolderEntries(locations.ConfigDir()).size(), 1u) << "no scratch file left";
}

TEST_F(DataDirectoriesTest, InitDataFoldersRefusesWhatItCannotMake) {
    struct Case {
        const char* name;
        std::function<std::string(const Locations&)> prepare;  // gives the folder that fails
    };
    const std::vector<Case> cases = {
        {"a file in place of the log folder",
         [](const Locations& l) {
             WriteFileText(l.LogDir(), "x");
             return l.LogDir();
         }},
        {"a link in place of the temporary folder",
         [this](const Locations& l) {
             fs::create_directories(l.ProgramDataDir());
             fs::create_directories(m_root + "/elsewhere");
             fs::create_directory_symlink(m_root + "/elsewhere", l.TempDir());
             return l.TempDir();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(m_home + "/.local");
        const Locations locations = Build();
        const std::string failing = c.prepare(locations);
        const Result result = InitDataFolders(locations);
        EXPECT_EQ(result.kind(), ErrorKind::io);
        EXPECT_EQ(result.message(), FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, failing));
    }
}

TEST_F(DataDirectoriesTest, CleanTemporaryFilesRemovesOnlyTpsFiles) {
    const Locations locations = Build();
    ASSERT_TRUE(InitDataFolders(locations).ok());
    const std::string temp = locations.TempDir();
    for (const char* name : {"temp0.tps", "temp17.tps", "UPPER.TPS", "keep.tps.txt", ".tps"}) {
        WriteFileText(temp + "/" + name, "x");
    }
    fs::create_directories(temp + "/folder.tps");
    WriteFileText(m_root + "/target-that-stays", "target");
    fs::create_symlink(m_root + "/target-that-stays", temp + "/link.tps");
    EXPECT_EQ(CleanTemporaryFiles(locations), 4u);
    EXPECT_EQ(testing::FolderEntries(temp), (std::vector<std::string>{".tps", "folder.tps", "keep.tps.txt"}));
    EXPECT_EQ(ReadFileText(m_root + "/target-that-stays"), "target");
}

TEST_F(DataDirectoriesTest, ValidationRulesApplyInOrder) {
    const Locations locations = Build();
    WriteFileText(m_root + "/plain-file", "x");
    WriteFileText(DataDir() + "/log/file-inside", "x");
    WriteFileText(Documents() + "/a-file", "x");
    fs::create_directory_symlink(DataDir(), m_root + "/link-to-data");
    fs::create_directories(m_root + "/elsewhere");
    fs::create_directory_symlink(m_root + "/elsewhere", Documents() + "/link-out");
    const std::string root = LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_ROOT);
    const std::string product = LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_UNDER_PRODUCT_ROOT);
    enum Verdict { invalid, refused, notFolder, warning, fine };
    struct Case {
        std::string path;
        Verdict verdict;
        std::string message = {};  // for refusals
    };
    const std::vector<Case> cases = {
        {"", invalid},
        {Documents() + "/tab\there", invalid},
        {Documents() + "/" + std::string(256, 'n'), invalid},
        {m_root + "/plain-file/below", invalid},
        {"/", refused, root},
        {m_root + "/..//../../../..", refused, root},
        {m_home + "/.LOCAL/Share/verimont/TIDEWELL/x", refused, product},
        {DataDir() + "/log/file-inside", refused, product},  // step 3 before step 4
        {m_root + "/link-to-data/sub", refused, product},
        {Documents() + "/../.local/share/Verimont/Tidewell", refused, product},
        {Documents() + "/a-file", notFolder},   // step 4 before step 5
        {DataDir() + "X", warning},             // a neighbour of the data folder is not inside it
        {Documents() + "/link-out/sub", fine},  // inside as the user sees it
        {Documents() + "/Verimont User Data/new/deeper/", fine},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const PathVerdict verdict = ValidateUserDataDirectory(c.path, locations);
        std::string expected = c.message;
        if (c.verdict == invalid) expected = FileMessage(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, c.path);
        if (c.verdict == notFolder)
            expected = FileMessage(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, c.path);
        if (c.verdict == warning)
            expected = FileMessage(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, c.path);
        EXPECT_EQ(verdict.accepted, c.verdict == warning || c.verdict == fine);
        EXPECT_EQ(verdict.message, expected);
    }
    EXPECT_FALSE(fs::exists(Documents() + "/Verimont User Data")) << "checking creates nothing";
}

TEST_F(DataDirectoriesTest, DefaultIsTheFirstFreeOrFolderCandidate) {
    const Locations locations = Build();
    const std::string base = Documents() + "/Verimont User Data";
    struct Case {
        std::vector<std::string> files;    // below the base
        std::vector<std::string> folders;  // below the base
        bool peEdition;
        std::string expected;  // below the base; empty: none
    };
    const std::vector<Case> cases = {
        {{}, {}, false, "Ostrel"},
        {{}, {"Ostrel"}, false, "Ostrel"},
        {{"Ostrel", "Tidewell (1)", "Tidewell (2)"}, {}, false, "Tidewell (3)"},
        {{"TidewellPE"}, {"Tidewell (1)"}, true, "Tidewell (1)"},
        {{"Ostrel", "Tidewell (1)", "Tidewell (2)", "Tidewell (3)", "Tidewell (4)", "Tidewell (5)"},
         {},
         false,
         ""},
    };
    for (const Case& c : cases) {
        fs::remove_all(base);
        for (const std::string& file : c.files) WriteFileText(base + "/" + file, "x");
        for (const std::string& folder : c.folders) fs::create_directories(base + "/" + folder);
        EXPECT_EQ(DefaultUserDataDirectory(locations, c.peEdition),
                  c.expected.empty() ? "" : base + "/" + c.expected)
            << c.expected;
    }
    // A link that points nowhere is something there, not a folder.
    fs::remove_all(base);
    fs::create_directories(base);
    fs::create_symlink(m_root + "/nowhere", base + "/Ostrel");
    EXPECT_EQ(DefaultUserDataDirectory(locations), base + "/Tidewell (1)");
}

TEST_F(DataDirectoriesTest, StartUpTakesTheRememberedOrTheDefaultDirectory) {
    const Locations locations = Build();
    const std::string fallback = Documents() + "/Verimont User Data/Ostrel";
    {
        RegistryStore product(locations.ProductSettingsDir());
        UserDataDirectory udd(locations, product);
        ASSERT_TRUE(udd.CheckSet());
        EXPECT_EQ(udd.ScheduleFile(), fallback + "/schedule.rws");
    }
    EXPECT_EQ(
        RegistryStore(locations.ProductSettingsDir()).ReadSettingString(kUserDataDirectorySection, "", ""),
        fallback);
    fs::remove_all(fallback);
    RegistryStore product(locations.ProductSettingsDir());
    UserDataDirectory again(locations, product);
    ASSERT_TRUE(again.Load()) << "a remembered folder that went missing is made again";
    EXPECT_TRUE(fs::is_directory(fallback));

    WriteFileText(m_root + "/now-a-file", "x");
    for (const std::string& stored : {DataDir() + "/udd", std::string("/"), m_root + "/now-a-file"}) {
        SCOPED_TRACE(stored);
        testing::FakeSettings settings;
        settings.strings[{std::string(kUserDataDirectorySection), ""}] = stored;
        UserDataDirectory udd(locations, settings);
        EXPECT_FALSE(udd.Load());
        ASSERT_TRUE(udd.CheckSet());
        EXPECT_EQ((settings.strings[{std::string(kUserDataDirectorySection), ""}]), fallback);
    }
}

TEST_F(DataDirectoriesTest, SetChecksCreatesAndRemembers) {
    const Locations locations = Build();
    testing::FakeSettings settings;
    UserDataDirectory udd(locations, settings);
    const auto remembered = [&] { return settings.strings[{std::string(kUserDataDirectorySection), ""}]; };
    const std::string outside = m_root + "/shared/schedules/";
    PathVerdict verdict = udd.Set(outside);
    EXPECT_TRUE(verdict.accepted);
    EXPECT_EQ(verdict.message, FileMessage(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, outside));
    EXPECT_TRUE(fs::is_directory(outside));
    EXPECT_EQ(udd.Path(), m_root + "/shared/schedules");
    EXPECT_EQ(remembered(), udd.Path());

    verdict = udd.Set("/");
    EXPECT_FALSE(verdict.accepted);
    EXPECT_EQ(udd.Path(), m_root + "/shared/schedules") << "a refusal changes nothing";
    EXPECT_EQ(remembered(), udd.Path());

    if (::geteuid() != 0) {  // the superuser creates folders anywhere
        fs::create_directories(Documents() + "/locked");
        fs::permissions(Documents() + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
        verdict = udd.Set(Documents() + "/locked/udd");
        EXPECT_FALSE(verdict.accepted);
        EXPECT_EQ(verdict.message,
                  FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, Documents() + "/locked/udd"));
        EXPECT_EQ(remembered(), m_root + "/shared/schedules");
    }
}

}  // namespace
}  // namespace tidewell
