#include "config/admin_password.h"
#include "config/password_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "support/temp_dir.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "support/recording_message_box.h"
#include "text/text_util.h"

namespace tidewell {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FakeSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration); }
    std::vector<std::chrono::milliseconds> waits;
};

// Answers the password dialog from a queue; nullopt is Cancel.
class ScriptedPrompt final : public PasswordPrompt {
public:
    void Enter(std::optional<std::string> text) { m_entries.push_back(std::move(text)); }
    std::optional<std::string> AskPassword(const PasswordRequest& request) override {
        requests.push_back(request);
        auto entry = m_entries.front();
        m_entries.pop_front();
        return entry;
    }
    std::vector<PasswordRequest> requests;

private:
    std::deque<std::optional<std::string>> m_entries;
};

std::string LengthMessage() {
    return ReplaceAll(
        ReplaceAll(LoadMessage(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG), "#1", "1"),
        "#2", "16");
}
std::string InvalidCharactersMessage() {
    return ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1",
                      LoadMessage(IDS_KLN_PASSWORD));
}

TEST(ValidatePasswordTest, LengthAndCharacters) {
    struct Case {
        std::string text;
        std::string expected;  // empty: valid
    };
    const Case cases[] = {
        {"", ""},
        {"a", ""},
        {" ~", ""},
        {std::string(16, 'x'), ""},
        {std::string(17, 'x'), LengthMessage()},
        {"pass\tword", InvalidCharactersMessage()},
        {"caf\xC3\xA9", InvalidCharactersMessage()},
        {std::string("del\x7F"), InvalidCharactersMessage()},
        {std::string(17, '\n'), LengthMessage() + "\r\n" + InvalidCharactersMessage()},
    };
    for (const auto& c : cases) {
        const Result r = ValidatePassword(c.text);
        EXPECT_EQ(r.ok(), c.expected.empty()) << c.text;
        EXPECT_EQ(r.message(), c.expected) << c.text;
    }
}

TEST(NormalizePasswordTest, PadsShortPasswordsToSix) {
    EXPECT_EQ(NormalizePassword(""), "");
    EXPECT_EQ(NormalizePassword("ab"), std::string("ab") + std::string(kPasswordPad.substr(0, 4)));
    EXPECT_EQ(NormalizePassword("abcde"), std::string("abcde") + kPasswordPad[0]);
    EXPECT_EQ(NormalizePassword("abcdef"), "abcdef");
    EXPECT_EQ(NormalizePassword(std::string(16, 'z')), std::string(16, 'z'));
    EXPECT_EQ(NormalizePassword("a\tb"), "");
    EXPECT_EQ(NormalizePassword(std::string(17, 'z')), "");
    for (std::size_t n = 1; n <= 16; ++n) {
        const std::string once = NormalizePassword(std::string(n, 'q'));
        EXPECT_EQ(once.size(), std::max<std::size_t>(n, 6));
        EXPECT_EQ(NormalizePassword(once), once);
    }
}

TEST(EncodePasswordTest, RoundTripsEveryPrintablePassword) {
    std::mt19937 gen(5);
    std::uniform_int_distribution<int> printable(32, 126);
    for (int round = 0; round < 2000; ++round) {
        std::string password(static_cast<std::size_t>(round % 17), ' ');
        for (char& c : password) {
            c = static_cast<char>(printable(gen));
        }
        const std::string encoded = EncodePassword(password);
        ASSERT_EQ(encoded.size(), password.size());
        for (char c : encoded) {
            ASSERT_GE(c, 32);
            ASSERT_LE(c, 126);
        }
        EXPECT_EQ(DecodePassword(encoded), password);
    }
    // Every character at every position.
    for (std::size_t i = 0; i < 16; ++i) {
        for (int c = 32; c <= 126; ++c) {
            std::string p(i + 1, 'a');
            p[i] = static_cast<char>(c);
            EXPECT_EQ(DecodePassword(EncodePassword(p)), p);
        }
    }
    EXPECT_EQ(EncodePassword(std::string(20, 'a')).size(), 16u);
}

class PasswordFileTest : public ::testing::Test {
protected:
    testing::TempDir m_temp;

    void SetUp() override {
        m_dir = m_temp.Path();
        m_path = (m_dir / kPasswordFileName).string();
    }
    std::vector<std::uint8_t> FileBytes() const {
        std::ifstream in(m_path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void WriteRaw(const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    fs::path m_dir;
    std::string m_path;
    RecordingMessageBox m_box;
    FakeSleeper m_sleeper;
};

TEST_F(PasswordFileTest, RoundTripsThroughNinetyTwoBytes) {
    for (const std::string& password : {std::string(), std::string("abcdef"), std::string("  spaced  "),
                                        std::string(16, '~'), std::string("\"quote\\")}) {
        ASSERT_TRUE(WritePasswordFile(m_path, password).ok());
        EXPECT_EQ(fs::file_size(m_path), kPasswordFileSize);
        std::string read = "stale";
        EXPECT_TRUE(ReadPasswordFile(m_path, &read)) << password;
        EXPECT_EQ(read, NormalizePassword(password));
    }
    // The plain text is not in the file.
    const auto bytes = FileBytes();
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.find("Tidewell"), std::string::npos);
}

TEST_F(PasswordFileTest, MissingOrDamagedFileGivesNoPassword) {
    std::string read = "stale";
    EXPECT_FALSE(ReadPasswordFile(m_path, &read));
    EXPECT_EQ(read, "");

    ASSERT_TRUE(WritePasswordFile(m_path, "secret1").ok());
    const auto good = FileBytes();
    auto changed = good;
    changed[3] ^= 0x40;  // inside the block holding the version marker
    const std::vector<std::vector<std::uint8_t>> damaged = {
        {},
        std::vector<std::uint8_t>(good.begin(), good.end() - 1),
        [&] {
            auto b = good;
            b.push_back(0);
            return b;
        }(),
        changed,
        std::vector<std::uint8_t>(kPasswordFileSize, 0)};
    for (const auto& bytes : damaged) {
        WriteRaw(bytes);
        read = "stale";
        EXPECT_FALSE(ReadPasswordFile(m_path, &read)) << bytes.size();
        EXPECT_EQ(read, "");
    }
}

TEST_F(PasswordFileTest, SetRefusesInvalidPasswordsAndKeepsTheOld) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("oldpass", m_path).ok());
    const auto before = FileBytes();
    for (const std::string& bad : {std::string(17, 'x'), std::string("tab\there")}) {
        const Result r = admin.SetAdminPassword(bad, m_path);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(admin.Password(), "oldpass");
        EXPECT_EQ(FileBytes(), before);
        EXPECT_EQ(m_box.LastCall().text, r.message());
        EXPECT_EQ(m_box.LastCall().caption, LoadMessage(IDS_KLN_ERROR));
    }
    EXPECT_EQ(m_box.Calls()[0].text, LengthMessage());
    EXPECT_EQ(m_box.Calls()[1].text, InvalidCharactersMessage());
}

TEST_F(PasswordFileTest, FailedWriteKeepsTheOldPassword) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("oldpass", m_path).ok());
    const Result r = admin.SetAdminPassword("newpass", (m_dir / "missing" / "mar.dat").string());
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(admin.Password(), "oldpass");
    EXPECT_EQ(m_box.CallCount(), 1u);
}

TEST_F(PasswordFileTest, ShortPasswordIsStoredPaddedAndUnlocksWithTheSameEntry) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("ab", m_path).ok());
    EXPECT_EQ(admin.Password().size(), 6u);
    AdminPassword restarted(m_box, m_sleeper);
    ASSERT_TRUE(restarted.ReadPasswordFile(m_path));
    EXPECT_EQ(restarted.Password(), admin.Password());
    ScriptedPrompt prompt;
    prompt.Enter("ab");
    EXPECT_TRUE(restarted.CheckAdminPassword("", prompt));
    EXPECT_TRUE(m_sleeper.waits.empty());
}

TEST_F(PasswordFileTest, EmptyPasswordRemovesTheLock) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("abcdefg", m_path).ok());
    ASSERT_TRUE(admin.SetAdminPassword("", m_path).ok());
    EXPECT_FALSE(admin.IsSet());
    AdminPassword restarted(m_box, m_sleeper);
    EXPECT_TRUE(restarted.ReadPasswordFile(m_path));
    EXPECT_FALSE(restarted.IsSet());
    ScriptedPrompt prompt;  // never asked
    EXPECT_TRUE(restarted.CheckAdminPassword("", prompt));
    EXPECT_TRUE(prompt.requests.empty());
}

TEST_F(PasswordFileTest, WrongEntriesWaitLongerEachTime) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("Right-One", m_path).ok());
    ScriptedPrompt prompt;
    for (const char* entry : {"wrong-1", "right-one", "Right-On"}) {
        prompt.Enter(entry);
    }
    prompt.Enter("Right-One");
    prompt.Enter("wrong-4");
    prompt.Enter(std::nullopt);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));
        EXPECT_EQ(m_box.LastCall().text, LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD));
    }
    EXPECT_EQ(m_sleeper.waits, (std::vector<std::chrono::milliseconds>{500ms, 1000ms, 1500ms}));
    EXPECT_TRUE(admin.CheckAdminPassword("Options", prompt));
    EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));
    EXPECT_EQ(m_sleeper.waits.back(), 2000ms);  // a right entry does not reset it
    const std::size_t boxes = m_box.CallCount();
    EXPECT_FALSE(admin.CheckAdminPassword("Options", prompt));  // Cancel: no wait, no message
    EXPECT_EQ(m_sleeper.waits.size(), 4u);
    EXPECT_EQ(m_box.CallCount(), boxes);
    EXPECT_EQ(admin.FailedAttemptDelay(), 2000ms);
}

TEST_F(PasswordFileTest, DialogTitleLabelAndLimit) {
    AdminPassword admin(m_box, m_sleeper);
    ASSERT_TRUE(admin.SetAdminPassword("abcdef", m_path).ok());
    ScriptedPrompt prompt;
    prompt.Enter("abcdef");
    prompt.Enter("abcdef");
    EXPECT_TRUE(admin.CheckAdminPassword("", prompt));
    EXPECT_TRUE(admin.CheckAdminPassword("Exit", prompt));
    EXPECT_EQ(prompt.requests[0].title,
              LoadMessage(IDS_TIDEWELL_KLN_TIDEWELL_LOGON, LoadMessage(IDS_KLN_TIDEWELL)));
    EXPECT_EQ(prompt.requests[1].title, "Exit");
    EXPECT_EQ(prompt.requests[0].label, LoadMessage(IDS_DIALOG_PASSWORD_P) + ":");
    EXPECT_EQ(prompt.requests[0].fieldName, LoadMessage(IDS_KLN_PASSWORD));
    EXPECT_EQ(prompt.requests[0].maxLength, 16u);
}

}  // namespace
}  // namespace tidewell
