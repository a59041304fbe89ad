#include "config/data_directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <vector>

#include "files/durable_file.h"
#include "files/file_faults.h"
#include "store/registry_store.h"
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
    ASSERT_TRUE(SeedBaseConfiguration(locations).ok());
    EXPECT_TRUE(fs::is_directory(locations.LogDir()));
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "installed copy");

    ::chmod(locations.TempDir().c_str(), 0755);  // an older folder that was opened up is closed again
    WriteFileText(locations.BaseConfigSources()[0], "program folder copy");
    ASSERT_TRUE(InitDataFolders(locations).ok());
    ASSERT_TRUE(SeedBaseConfiguration(locations).ok());
    EXPECT_EQ(ModeOf(locations.TempDir()), 0700u);
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "installed copy") << "an existing file stays";
    fs::remove(locations.BaseConfigFilePath());
    ASSERT_TRUE(SeedBaseConfiguration(locations).ok());
    EXPECT_EQ(ReadFileText(locations.BaseConfigFilePath()), "program folder copy")
        << "the program folder first";
    EXPECT_EQ(testing::FolderEntries(locations.ConfigDir()).size(), 1u) << "no scratch file left";
}

TEST_F(DataDirectoriesTest, AShippedFileThatCannotBeCopiedIsReported) {
    const Locations locations = Build();
    WriteFileText(locations.BaseConfigSources()[1], "installed copy");
    ASSERT_TRUE(InitDataFolders(locations).ok());
    SetFileFaultHook([](FileStep step, const std::string&) { return step == FileStep::write ? ENOSPC : 0; });
    const Result seeded = SeedBaseConfiguration(locations);
    SetFileFaultHook({});
    EXPECT_EQ(seeded.kind(), ErrorKind::io);
    EXPECT_EQ(seeded.message(), FileMessage(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL,
                                            locations.BaseConfigFilePath()));
    EXPECT_FALSE(fs::exists(locations.BaseConfigFilePath()));
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
        const Result verdict = ValidateUserDataDirectory(c.path, locations);
        std::string expected = c.message;
        if (c.verdict == invalid) expected = FileMessage(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, c.path);
        if (c.verdict == notFolder)
            expected = FileMessage(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, c.path);
        if (c.verdict == warning)
            expected = FileMessage(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, c.path);
        EXPECT_EQ(verdict.ok(), c.verdict == warning || c.verdict == fine);
        EXPECT_EQ(verdict.ok() ? UserDataDirectoryWarning(c.path, locations) : verdict.message(), expected);
    }
    EXPECT_FALSE(fs::exists(Documents() + "/Verimont User Data")) << "checking creates nothing";
}

}  // namespace
}  // namespace tidewell
