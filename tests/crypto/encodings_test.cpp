#include <gtest/gtest.h>

#include <random>
#include <string>

#include "base/text_util.h"
#include "crypto/macro_password_codec.h"
#include "crypto/outer_scramble.h"
#include "crypto/password_encoding.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

std::string LengthMessage() {
    return ReplaceAll(
        ReplaceAll(LoadMessage(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG), "#1", "1"),
        "#2", "16");
}
std::string InvalidCharactersMessage() {
    return ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1",
                      LoadMessage(IDS_KLN_PASSWORD));
}

TEST(PasswordEncodingTest, ValidationAndPadding) {
    struct Case {
        std::string text;
        std::string problems;    // empty: valid
        std::string normalized;  // as stored
    };
    const Case cases[] = {
        {"", "", ""},
        {"ab", "", std::string("ab") + std::string(kPasswordPad.substr(0, 4))},
        {"abcdef", "", "abcdef"},
        {std::string(16, 'x'), "", std::string(16, 'x')},
        {std::string(17, 'x'), LengthMessage(), ""},
        {"pass\tword", InvalidCharactersMessage(), ""},
        {"caf\xC3\xA9", InvalidCharactersMessage(), ""},
        {std::string(17, '\n'), LengthMessage() + "\r\n" + InvalidCharactersMessage(), ""},
    };
    for (const auto& c : cases) {
        const Result r = ValidatePassword(c.text);
        EXPECT_EQ(r.kind(), c.problems.empty() ? ErrorKind::none : ErrorKind::invalid) << c.text;
        EXPECT_EQ(r.message(), c.problems) << c.text;
        EXPECT_EQ(NormalizePassword(c.text), c.normalized) << c.text;
        EXPECT_EQ(NormalizePassword(c.normalized), c.normalized) << c.text;
    }
}

TEST(OuterScrambleTest, WrapsAndRefuses) {
    std::mt19937 random(9);
    for (size_t size : {size_t{41}, size_t{344}, size_t{345}, size_t{4096 + 344 + 3}}) {
        std::string container(size, '\0');
        for (char& c : container) c = static_cast<char>(random());
        const std::string file = WrapOuterScramble(container);
        EXPECT_EQ(file.size(), (size + 9 + 7) / 8 * 8);
        EXPECT_EQ(file.find(std::string_view("TdwScrm8")), std::string::npos);  // the marker is encrypted too
        std::optional<std::string> back = UnwrapOuterScramble(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->substr(0, size), container);
        EXPECT_EQ(back->substr(size).find_first_not_of('\0'), std::string::npos);
    }
    const std::string file = WrapOuterScramble(std::string(100, 'x'));
    std::string tampered = file;
    tampered[20] ^= 1;
    for (const std::string& refused :
         {file.substr(0, 48), file.substr(0, file.size() - 1), tampered, std::string(64, 'p')}) {
        EXPECT_FALSE(UnwrapOuterScramble(refused)) << refused.size();
    }
}

}  // namespace
}  // namespace tidewell
