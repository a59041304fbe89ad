#include "config/copy_user_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "files/durable_file.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using testing::FolderSnapshot;
using testing::ReadFileText;
using testing::WriteFileText;

class CopyUserDataTest : public ::testing::Test {
protected:
    CopyUserDataTest() {
        WriteFileText(m_from + "/schedule.rws", "[Tasks]\r\n");
        WriteFileText(m_from + "/.hidden", "h");
        WriteFileText(m_from + "/empty.txt", "");
        WriteFileText(m_from + "/sub/deep/notes.txt", "deep");
        fs::create_directories(m_from + "/empty folder");
        WriteFileText(m_from + "/big.bin", std::string(3u << 19, 'b'));
        fs::create_symlink("schedule.rws", m_from + "/link");
        m_source = FolderSnapshot(m_from);
    }

    // Records every report and answers from `stopAt` on with a cancel.
    CopyProgressCallback Recorder(std::size_t stopAt = SIZE_MAX) {
        return [this, stopAt](const CopyProgress& progress) {
            m_reports.push_back(progress);
            return m_reports.size() < stopAt;
        };
    }

    testing::TempDir m_temp;
    std::string m_root = m_temp.Path();
    std::string m_from = m_root + "/old";
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
        EXPECT_EQ(FolderSnapshot(to), m_source);
        EXPECT_EQ(FolderSnapshot(m_from).empty(), mode == CopyMode::Move);
        EXPECT_TRUE(fs::is_directory(m_from)) << "the folder itself stays";
        ASSERT_GT(m_reports.size(), 6u) << "the big file reports more than once";
        for (std::size_t i = 1; i < m_reports.size(); ++i)
            EXPECT_GE(m_reports[i].bytesDone, m_reports[i - 1].bytesDone);
        EXPECT_EQ(m_reports.back().bytesDone, (3u << 19) + 9 + 1 + 4);
        EXPECT_EQ(m_reports.back().bytesTotal, m_reports.back().bytesDone);
        EXPECT_EQ(m_reports.back().filesDone, 6u);
        EXPECT_EQ(m_reports.back().filesTotal, 6u);
        if (mode == CopyMode::Copy) m_from = to;  // the move starts from the copy
    }
}

TEST_F(CopyUserDataTest, FailureOrCancelInTheMiddleKeepsTheSourceAndTheTarget) {
    std::size_t reportCount = 0;
    ASSERT_TRUE(CopyUserData(m_from, m_root + "/count", CopyMode::Copy, [&](const CopyProgress&) {
                    ++reportCount;
                    return true;
                }).ok());
    const std::string canceled = LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER);
    struct Case {
        const char* name;
        std::function<void(const std::string& to)> prepare;
        std::size_t stopAt;
        std::function<std::string(const std::string& to)> message;
    };
    const std::vector<Case> cases = {
        {"a file where a folder goes", [](const std::string& to) { WriteFileText(to + "/sub", "a file"); },
         SIZE_MAX,
         [](const std::string& to) { return FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, to + "/sub"); }},
        {"a folder where a file goes",
         [](const std::string& to) { fs::create_directories(to + "/link/inside"); }, SIZE_MAX,
         [](const std::string& to) {
             return FileMessage(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, to + "/link");
         }},
        {"canceled while copying the big file", [](const std::string&) {}, 3,
         [&](const std::string&) { return canceled; }},
        {"canceled after the last file", [](const std::string&) {}, reportCount,
         [&](const std::string&) { return canceled; }},
    };
    for (const Case& c : cases) {
        for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
            SCOPED_TRACE(c.name);
            const std::string to = m_root + "/target";
            fs::remove_all(to);
            WriteFileText(to + "/schedule.rws", "older schedule");
            c.prepare(to);
            const auto before = FolderSnapshot(to);
            m_reports.clear();
            const Result result = CopyUserData(m_from, to, mode, Recorder(c.stopAt));
            EXPECT_EQ(result.message(), c.message(to));
            EXPECT_EQ(result.kind(), c.stopAt == SIZE_MAX ? ErrorKind::io : ErrorKind::cancelled);
            EXPECT_EQ(FolderSnapshot(m_from), m_source);
            EXPECT_EQ(FolderSnapshot(to), before) << "no copy and no scratch file left";
        }
    }
    // A target folder made for the copy goes again.
    EXPECT_FALSE(CopyUserData(m_from, m_root + "/fresh/deeper", CopyMode::Move, Recorder(2)).ok());
    EXPECT_FALSE(fs::exists(m_root + "/fresh"));
    EXPECT_EQ(FolderSnapshot(m_from), m_source);
}

TEST_F(CopyUserDataTest, RefusesWhatCannotBeCopied) {
    WriteFileText(m_root + "/a-file", "x");
    const std::string same =
        LoadMessage(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME);
    WriteFileText(m_root + "/outer/inner/inner/file.txt", "f");
    struct Case {
        std::string from;
        std::string to;
        ErrorKind kind;
        std::string message;
    };
    const std::vector<Case> cases = {
        {m_root + "/missing", m_root + "/to", ErrorKind::notFound,
         FileMessage(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, m_root + "/missing")},
        {m_from, m_from + "/", ErrorKind::invalid, same},
        {m_from, m_from + "/sub/new", ErrorKind::invalid, same},
        {m_from, m_root + "/a-file", ErrorKind::io,
         FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, m_root + "/a-file")},
        // The source inside the target: refused only when something would land on the source.
        {m_root + "/outer/inner", m_root + "/outer", ErrorKind::invalid, same},
    };
    for (const Case& c : cases) {
        for (const CopyMode mode : {CopyMode::Copy, CopyMode::Move}) {
            SCOPED_TRACE(c.from + " -> " + c.to);
            const Result result = CopyUserData(c.from, c.to, mode);
            EXPECT_EQ(result.kind(), c.kind);
            EXPECT_EQ(result.message(), c.message);
            EXPECT_EQ(FolderSnapshot(m_from), m_source);
        }
    }
    EXPECT_EQ(ReadFileText(m_root + "/outer/inner/inner/file.txt"), "f");
    ASSERT_TRUE(CopyUserData(m_from + "/sub", m_from, CopyMode::Move).ok());
    EXPECT_EQ(ReadFileText(m_from + "/deep/notes.txt"), "deep");
    EXPECT_TRUE(FolderSnapshot(m_from + "/sub").empty());
}

}  // namespace
}  // namespace tidewell
