#include "crypto/protect_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "base/text_util.h"
#include "support/recording_message_box.h"
#include "support/recording_sleeper.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using testing::ReadFileText;
using testing::WriteFileText;

constexpr std::string_view kKey = "Key-of-12chr";

// The message as the operation collects it: "#1"/"#2" filled, one line.
std::string Line(MessageId id, std::string_view p1 = {}, std::string_view p2 = {}) {
    return ReplaceAll(ReplaceAll(LoadMessage(id), "#1", p1), "#2", p2) + "\r\n";
}

class ProtectFileTest : public ::testing::Test {
protected:
    void SetUp() override { m_options.sleeper = &m_sleeper; }

    std::string Path(const std::string& name) const { return m_temp.File(name); }
    std::map<std::string, std::string> Snapshot() const { return testing::FolderSnapshot(m_temp.Path()); }
    Result Encrypt(const std::string& src, const std::string& dst, std::string_view key = kKey) {
        return ProtectFile(src, dst, key, true, m_options);
    }
    Result Decrypt(const std::string& src, const std::string& dst, std::string_view key = kKey) {
        return ProtectFile(src, dst, key, false, m_options);
    }

    testing::TempDir m_temp;
    testing::RecordingSleeper m_sleeper;
    ProtectFileOptions m_options;
};

TEST_F(ProtectFileTest, RoundTripKeepsOldDestinationsAsBackups) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    m_options.quiet = false;
    for (int round = 1; round <= 3; ++round) {
        WriteFileText(Path("plain"), "round " + std::to_string(round));
        ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    }
    struct stat st {};
    ASSERT_EQ(stat(Path("box").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    // Newest in "box", the first in "box.bak", the second in "box.bak.bak".
    for (const auto& [name, round] : {std::pair{"box", 3}, {"box.bak", 1}, {"box.bak.bak", 2}}) {
        ASSERT_TRUE(Decrypt(Path(name), Path("restored")).ok()) << name;
        EXPECT_EQ(ReadFileText(Path("restored")), "round " + std::to_string(round)) << name;
    }
    ASSERT_GE(box.CallCount(), 2u);
    EXPECT_EQ(box.Calls()[0].text,
              ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_ORIGINAL_FILE_SAVED_AS), "#1", Path("box.bak")));
    EXPECT_TRUE(m_sleeper.waits.empty());

    // Quiet and without backups: nothing reported, nothing kept, a read-only file replaced.
    m_options.quiet = true;
    m_options.keepBackup = false;
    box.Clear();
    ::chmod(Path("box").c_str(), 0400);
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_FALSE(fs::exists(Path("box.bak.bak.bak")));
    EXPECT_EQ(box.CallCount(), 0u);
}

TEST_F(ProtectFileTest, ChecksBeforeAnyWork) {
    WriteFileText(Path("Plain.txt"), "plain");
    WriteFileText(Path("afile"), "");
    fs::create_directory(Path("folder"));
    ASSERT_EQ(link(Path("Plain.txt").c_str(), Path("other-name").c_str()), 0);
    const std::string same = Line(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME);
    const std::string keyLength =
        Line(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG, "6", "16");
    struct Case {
        std::string source;
        std::string destination;
        std::string_view key;
        std::string expected;
    };
    const Case cases[] = {
        {Path("missing"), Path("box"), kKey, Line(IDS_ERROR_FILE_SOURCE_FILE_NOT_EXIST, Path("missing"))},
        {Path("missing"), Path("box"), "short",
         Line(IDS_ERROR_FILE_SOURCE_FILE_NOT_EXIST, Path("missing")) + keyLength},
        {Path("folder"), Path("box"), kKey,
         Line(IDS_ERROR_FILE_PATH_IS_A_DIRECTORY_NOT_A_FILE, Path("folder"))},
        {"/dev/null", Path("box"), kKey, Line(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, "/dev/null")},
        {Path("Plain.txt"), Path("folder"), kKey,
         Line(IDS_ERROR_FILE_PATH_IS_DIRECTORY_CHOOSE_ANOTHER_FILE_NAME, Path("folder"))},
        {Path("Plain.txt"), Path("afile/box"), kKey,
         Line(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, Path("afile/box"))},
        {Path("Plain.txt"), "", kKey, Line(IDS_ERROR_FILE_DESTINATION_NOT_A_VALID_PATH, "")},
        {Path("Plain.txt"), Path("box"), "", keyLength},
        {Path("Plain.txt"), Path("PLAIN.TXT"), kKey, same},
        {Path("Plain.txt"), Path("./Plain.txt"), kKey, same},
        {Path("Plain.txt"), Path("other-name"), kKey, same},
    };
    const auto before = Snapshot();
    for (const auto& c : cases) {
        const Result r = Encrypt(c.source, c.destination, c.key);
        EXPECT_EQ(r.kind(), ErrorKind::invalid) << c.source << " -> " << c.destination;
        EXPECT_EQ(r.message(), c.expected) << c.source << " -> " << c.destination;
    }
    EXPECT_EQ(Snapshot(), before);
    for (std::string_view key : {"123456", "1234567890123456"})
        EXPECT_TRUE(Encrypt(Path("Plain.txt"), Path("box"), key).ok()) << key;
}

TEST_F(ProtectFileTest, FailedDecryptionWritesNothing) {
    WriteFileText(Path("plain"), "plain");
    ASSERT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    const auto before = Snapshot();
    const Result wrong = Decrypt(Path("box"), Path("a/b/out"), "another-key");
    EXPECT_EQ(wrong.kind(), ErrorKind::wrongPassword);
    EXPECT_EQ(wrong.message(), Line(IDS_ERROR_SECURITY_INVALID_PASSWORD));
    EXPECT_EQ(m_sleeper.waits.size(), 1u);
    EXPECT_EQ(Snapshot(), before);
    WriteFileText(Path("bad"), ReadFileText(Path("box")) + "x");
    const auto withBad = Snapshot();
    EXPECT_EQ(Decrypt(Path("bad"), Path("a/b/out")).message(), Line(IDS_ERROR_FILE_FORMAT_NOT_MATCH));
    EXPECT_EQ(Snapshot(), withBad);
    ASSERT_TRUE(Decrypt(Path("box"), Path("a/b/out")).ok()) << "missing folders are made";
    EXPECT_EQ(ReadFileText(Path("a/b/out")), "plain");
}

TEST_F(ProtectFileTest, OverwriteModes) {
    RecordingMessageBox box;
    m_options.messageBox = &box;
    m_options.keepBackup = false;
    WriteFileText(Path("plain"), "plain");
    WriteFileText(Path("box"), "old");

    m_options.overwriteMode = OverwriteMode::Ask;
    box.AnswerNext(IDNO);
    EXPECT_EQ(Encrypt(Path("plain"), Path("box")).kind(), ErrorKind::cancelled);
    ASSERT_EQ(box.CallCount(), 1u);
    EXPECT_EQ(
        box.LastCall().text,
        ReplaceAll(LoadMessage(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS_PROMPT_OVERWRITE), "#1", Path("box")));
    EXPECT_EQ(box.LastCall().style & MB_TYPEMASK, MB_YESNO);

    m_options.overwriteMode = OverwriteMode::Report;
    EXPECT_EQ(Encrypt(Path("plain"), Path("box")).message(),
              Line(IDS_MESSAGE_FILE_TARGET_FILE_EXISTS, Path("box")));
    m_options.overwriteMode = OverwriteMode::Overwrite;
    m_options.allowOverwrite = false;
    EXPECT_EQ(Encrypt(Path("plain"), Path("box")).message(),
              Line(IDS_ERROR_FILE_TARGET_FILE_EXIST_CHOOSE_ANOTHER_NAME, Path("box")));
    EXPECT_EQ(ReadFileText(Path("box")), "old");

    // Problems are shown unless quiet.
    m_options.quiet = false;
    const Result shown = Encrypt(Path("plain"), Path("box"));
    EXPECT_EQ(box.LastCall().text, shown.message());
    EXPECT_EQ(box.LastCall().caption, LoadMessage(IDS_KLN_ERROR));

    m_options.allowOverwrite = true;
    m_options.overwriteMode = OverwriteMode::Ask;
    box.AnswerNext(IDYES);
    EXPECT_TRUE(Encrypt(Path("plain"), Path("box")).ok());
    EXPECT_NE(ReadFileText(Path("box")), "old");
}

}  // namespace
}  // namespace tidewell
