#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "text/language.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {
namespace {

class LoadMessageTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }
};

TEST_F(LoadMessageTest, EveryLookupIsEnglishBeforeTheLanguageIsChosen) {
    EXPECT_EQ(CurrentLcid(), kLcidNotChosen);
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "Never");
    EXPECT_EQ(LoadMessage(IDS_KLN_ACTIVE), "Active");
}

TEST_F(LoadMessageTest, ChineseEditionReadsTheChineseColumnAfterTheChoice) {
    LanguageChoiceInput input;
    input.programDir = "/opt/tidewell";
    input.chineseEdition = true;
    SetLanguage(ChooseLanguage(input));
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "从不");
    EXPECT_EQ(LoadMessage(IDS_KLN_ACTIVE), "有效");
    EXPECT_EQ(LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, "5"), "发生了未知错误(5)。");
}

TEST_F(LoadMessageTest, ColumnFollowsTheLanguageIdentifier) {
    struct Case {
        int32_t lcid;
        const char* expected;
    };
    const Case cases[] = {
        {kLcidNotChosen, "Never"},
        {kLcidEnglish, "Never"},
        {kLcidSimplifiedChinese, "从不"},
    };
    for (const Case& c : cases) {
        SetLanguage(c.lcid);
        EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), c.expected) << c.lcid;
    }
}

TEST_F(LoadMessageTest, ExplicitColumnIgnoresTheCurrentLanguage) {
    SetLanguage(kLcidSimplifiedChinese);
    EXPECT_EQ(LoadMessageIn(MessageLanguage::English, IDS_KLN_NEVER), "Never");
    EXPECT_EQ(LoadMessageIn(MessageLanguage::Chinese, IDS_KLN_NEVER), "从不");
    EXPECT_EQ(LoadMessageIn(MessageLanguage::Current, IDS_KLN_NEVER), "从不");
    EXPECT_EQ(LoadMessageIn(MessageLanguage::English, IDS_MENU_MAIN_ABOUT_A, "Tidewell"),
              "&About Tidewell...");
}

TEST_F(LoadMessageTest, UnknownIdAndIdZeroGiveEmptyText) {
    EXPECT_EQ(LoadMessage(0), "");
    EXPECT_EQ(LoadMessage(0, "x", "y", "z"), "");
    EXPECT_EQ(LoadMessage(999999), "");
    EXPECT_EQ(LoadMessage(-1), "");
}

TEST_F(LoadMessageTest, FillsTheErrorCode) {
    EXPECT_EQ(LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, "5"), "Unknown Error (5) occurred.");
    EXPECT_EQ(LoadMessage(IDS_MENU_MAIN_ABOUT_A, "Tidewell"), "&About Tidewell...");
    // The product name fills every "%1".
    const std::string prompt =
        LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_WAKEN_FROM_BOTTOM_RIGHT_ICON, "Tidewell");
    EXPECT_EQ(prompt.find("%1"), std::string::npos);
    EXPECT_EQ(prompt.rfind("Tidewell in the system tray"), prompt.find("Tidewell in the system tray"));
    EXPECT_EQ(prompt.find("Tidewell will run invisibly"), 0u);
}

TEST(FillPercentPlaceholders, FollowsTheOrderOfTheRules) {
    struct Case {
        const char* text;
        const char* p1;
        const char* p2;
        const char* p3;
        const char* expected;
    };
    const Case cases[] = {
        {"Unknown Error (%1) occurred.", "5", "", "", "Unknown Error (5) occurred."},
        {"%1 - %2 - %3", "a", "b", "c", "a - b - c"},
        {"%1 %1 %2 %2", "a", "b", "", "a a b b"},
        // Without "%1" nothing is filled, "%2" and "%3" stay.
        {"only %2 and %3", "a", "b", "c", "only %2 and %3"},
        {"%3 %2", "a", "b", "c", "%3 %2"},
        // Empty arguments are replaced by nothing.
        {"[%1][%2][%3]", "", "", "", "[][][]"},
        {"(%1)", "", "x", "y", "()"},
        // What p1 brings in is filled by the later steps.
        {"%1!", "%2", "two", "", "two!"},
        {"%1", "%2%3", "b", "c", "bc"},
        // A placeholder brought in by its own argument is not filled again.
        {"%1", "%1", "", "", "%1"},
        {"%1 %2", "x", "%2", "", "x %2"},
        {"no placeholders", "a", "b", "c", "no placeholders"},
        {"#1 - #2", "a", "b", "", "#1 - #2"},
        {"", "a", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FillPercentPlaceholders(c.text, c.p1, c.p2, c.p3), c.expected) << c.text;
    }
}

TEST(ReplaceAll, ReplacesPlainlyLeftToRight) {
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"#1 - #2", "#1", "08:00", "08:00 - #2"},
        {"#1 #1 #1", "#1", "x", "x x x"},
        {"aaa", "aa", "b", "ba"},
        {"#1", "#1", "#1#1", "#1#1"},
        {"abc", "", "x", "abc"},
        {"abc", "d", "x", "abc"},
        {"", "a", "b", ""},
        {"\"#1\" contains invalid character(s).", "#1", "Password",
         "\"Password\" contains invalid character(s)."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text;
    }
}

TEST(SplitLines, SplitsAtCrLfOnly) {
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitLines("a"), std::vector<std::string>{"a"});
    EXPECT_EQ(SplitLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitLines("a\nb"), std::vector<std::string>{"a\nb"});
}

TEST(Utf8Prefix, CountsCharactersNotBytes) {
    EXPECT_EQ(Utf8Prefix("abcdef", 3), "abc");
    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Prefix("从不运行", 2), "从不");
    EXPECT_EQ(Utf8Prefix("a从b", 2), "a从");
    EXPECT_EQ(Utf8Prefix("从", 0), "");
}

// A shell file of another language, as the store layer would read it.
class MapShellFile : public LanguageShellFile {
public:
    explicit MapShellFile(std::map<std::string, std::string> values) : m_values(std::move(values)) {}
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override {
        const auto it = m_values.find(std::string(section) + "/" + std::string(key));
        if (it == m_values.end()) {
            return std::nullopt;
        }
        return it->second;
    }

private:
    std::map<std::string, std::string> m_values;
};

TEST_F(LoadMessageTest, AnotherLanguageReadsItsShellFileWithEnglishAsDefault) {
    if (kChineseEdition) {
        GTEST_SKIP() << "the Chinese edition reads no shell file";
    }
    auto shell = std::make_shared<MapShellFile>(std::map<std::string, std::string>{
        {"KLN/IDS_KLN_NEVER", "Nie"},
        {"Error/IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE", "Unbekannter Fehler (%1)."},
        {"Info/Shell_Language", "Deutsch"},
    });
    SetLanguage(1031, shell);
    EXPECT_EQ(LoadMessage(IDS_KLN_NEVER), "Nie");
    EXPECT_EQ(LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, "7"), "Unbekannter Fehler (7).");
    EXPECT_EQ(LoadMessage(Shell_Language), "Deutsch");
    // Missing values: English, except the Info rows, which have no default.
    EXPECT_EQ(LoadMessage(IDS_KLN_ACTIVE), "Active");
    EXPECT_EQ(LoadMessage(Shell_LCID), "");
}

}  // namespace
}  // namespace tidewell
