#include "config/admin_password.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <tuple>

#include "config/password_file.h"
#include "files/file_faults.h"
#include "support/recording_message_box.h"
#include "support/scripted_password_prompt.h"
#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ReadFileText;
using testing::ScriptedPasswordPrompt;
using testing::WriteFileText;

class AdminPasswordTest : public ::testing::Test {
protected:
    testing::TempDir m_temp;
    std::string m_path = m_temp.File(std::string(kPasswordFileName));
    RecordingMessageBox m_box;
};

TEST_F(AdminPasswordTest, FileRoundTripsInNinetyTwoBytesAndRefusesDamage) {
    for (const std::string& password : {std::string(), std::string("  spaced  "), std::string(16, '~')}) {
        ASSERT_TRUE(WritePasswordFile(m_path, password).ok());
        EXPECT_EQ(fs::file_size(m_path), kPasswordFileSize);
        std::string read = "stale";
        EXPECT_TRUE(ReadPasswordFile(m_path, &read)) << password;
        EXPECT_EQ(read, NormalizePassword(password));
    }
    const std::string good = ReadFileText(m_path);
    EXPECT_EQ(good.find("Tidewell"), std::string::npos) << "the plain text is not in the file";
    std::string changed = good;
    changed[3] ^= 0x40;  // inside the block holding the version marker
    for (const std::string& bytes :
         {std::string(), good.substr(1), good + '\0', changed, std::string(kPasswordFileSize, '\0')}) {
        WriteFileText(m_path, bytes);
        std::string read = "stale";
        EXPECT_EQ(ReadPasswordFile(m_path, &read).kind(), ErrorKind::damaged) << bytes.size();
        EXPECT_EQ(read, "");
    }
    fs::remove(m_path);
    std::string read = "stale";
    EXPECT_TRUE(ReadPasswordFile(m_path, &read)) << "no file, no password";
    EXPECT_EQ(read, "");
}

// A lock that cannot be read is not taken for no lock: that would open a locked program.
TEST_F(AdminPasswordTest, AFileThatCannotBeReadKeepsTheProgramLocked) {
    ASSERT_TRUE(WritePasswordFile(m_path, "secret7").ok());
    SetFileFaultHook([](FileStep step, const std::string&) { return step == FileStep::read ? EACCES : 0; });
    AdminPassword admin(m_box);
    const Result unreadable = admin.ReadPasswordFile(m_path);
    SetFileFaultHook({});
    EXPECT_EQ(unreadable.kind(), ErrorKind::io);
    EXPECT_NE(unreadable.message().find(m_path), std::string::npos);
    fs::remove(m_path);
    fs::create_directory(m_path);  // a folder in its place
    EXPECT_EQ(admin.ReadPasswordFile(m_path).kind(), ErrorKind::io);
}

TEST_F(AdminPasswordTest, SetChangesNothingUnlessTheFileIsWritten) {
    AdminPassword admin(m_box);
    ASSERT_TRUE(admin.SetAdminPassword("oldpass", m_path).ok());
    const std::string before = ReadFileText(m_path);
    using Case = std::tuple<std::string, std::string, ErrorKind>;
    const Case cases[] = {
        {std::string(17, 'x'), m_path, ErrorKind::invalid},
        {"tab\there", m_path, ErrorKind::invalid},
        {"newpass", m_temp.File("missing/mar.dat"), ErrorKind::io},
    };
    for (const auto& [password, path, kind] : cases) {
        const Result r = admin.SetAdminPassword(password, path);
        EXPECT_EQ(r.kind(), kind) << password;
        EXPECT_EQ(admin.Password(), "oldpass");
        EXPECT_EQ(ReadFileText(m_path), before);
        EXPECT_EQ(m_box.LastCall().text, r.message());
        EXPECT_EQ(m_box.LastCall().caption, LoadMessage(IDS_KLN_ERROR));
    }
    // An empty password removes the lock for this run and the next.
    ASSERT_TRUE(admin.SetAdminPassword("", m_path).ok());
    AdminPassword restarted(m_box);
    EXPECT_TRUE(restarted.ReadPasswordFile(m_path));
    EXPECT_FALSE(restarted.IsSet());
    ScriptedPasswordPrompt prompt;  // never asked
    EXPECT_TRUE(restarted.CheckAdminPassword("", prompt));
    EXPECT_TRUE(prompt.requests.empty());
}

TEST_F(AdminPasswordTest, ShortPasswordIsStoredPaddedAndUnlocksWithTheSameEntry) {
    AdminPassword admin(m_box);
    ASSERT_TRUE(admin.SetAdminPassword("ab", m_path).ok());
    AdminPassword restarted(m_box);
    ASSERT_TRUE(restarted.ReadPasswordFile(m_path));
    EXPECT_EQ(restarted.Password(), NormalizePassword("ab"));
    ScriptedPasswordPrompt prompt;
    prompt.Enter("ab");
    prompt.Enter("ab");
    EXPECT_TRUE(restarted.CheckAdminPassword("", prompt));
    EXPECT_TRUE(restarted.CheckAdminPassword("Exit", prompt));
    EXPECT_EQ(prompt.requests[1].refuseInputFor, 0ms);
    EXPECT_EQ(prompt.requests[1].title, "Exit");
    // Not a logon: the prompt says whose password it asks for and why.
    EXPECT_EQ(prompt.requests[0].title, "Administrator Password Required");
    EXPECT_EQ(prompt.requests[0].label, "Administrator &password:");
    EXPECT_EQ(prompt.requests[0].reason.rfind("Tidewell is protected by its administrator password", 0), 0u);
}

// The wait is the prompt's: nothing sleeps on the thread that asks (and runs the passes).
TEST_F(AdminPasswordTest, WrongEntriesMakeThePromptRefuseInputLongerEachTimeUpToALimit) {
    AdminPassword admin(m_box);
    ASSERT_TRUE(admin.SetAdminPassword("Right-One", m_path).ok());
    ScriptedPasswordPrompt prompt;
    for (const char* entry : {"wrong-1", "right-one", "Right-On", "Right-One", "wrong-4"})
        prompt.Enter(entry);
    prompt.Enter(std::nullopt);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));
        EXPECT_EQ(m_box.LastCall().text, LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD));
    }
    EXPECT_TRUE(admin.CheckAdminPassword("Options", prompt));
    EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));
    const std::size_t boxes = m_box.CallCount();
    EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));  // Cancel: no message
    EXPECT_EQ(m_box.CallCount(), boxes);
    std::vector<std::chrono::milliseconds> waits;
    for (const PasswordRequest& request : prompt.requests) waits.push_back(request.refuseInputFor);
    // A right entry does not reset the wait.
    EXPECT_EQ(waits, (std::vector<std::chrono::milliseconds>{0ms, 500ms, 1000ms, 1500ms, 1500ms, 2000ms}));

    for (int i = 0; i < 20; ++i) {
        prompt.Enter("wrong");
        EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));
    }
    EXPECT_EQ(admin.FailedAttemptDelay(), kFailedAttemptDelayLimit);
    EXPECT_EQ(prompt.requests.back().refuseInputFor, kFailedAttemptDelayLimit);
}

}  // namespace
}  // namespace tidewell
