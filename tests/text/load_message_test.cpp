#include <gtest/gtest.h>

#include <string>

#include "text/language.h"
#include "text/messages.h"
#include "base/text_util.h"

namespace tidewell {
namespace {

class LoadMessageTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }
};

TEST_F(LoadMessageTest, ColumnFollowsTheLanguageUnlessOneIsGiven) {
    struct Case {
        int32_t lcid;
        MessageLanguage column;
        const char* expected;
    };
    const Case cases[] = {
        {kLcidNotChosen, MessageLanguage::Current, "Never"},
        {kLcidEnglish, MessageLanguage::Current, "Never"},
        {kLcidSimplifiedChinese, MessageLanguage::Current, "从不"},
        {kLcidSimplifiedChinese, MessageLanguage::English, "Never"},
        {kLcidEnglish, MessageLanguage::Chinese, "从不"},
    };
    for (const Case& c : cases) {
        SetLanguage(c.lcid);
        EXPECT_EQ(LoadMessageIn(c.column, IDS_KLN_NEVER), c.expected) << c.lcid;
    }
    SetLanguage(kLcidSimplifiedChinese);
    EXPECT_EQ(LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, "5"), "发生了未知错误(5)。");
    for (int32_t unknown : {0, 999999, -1}) EXPECT_EQ(LoadMessage(unknown, "x"), "");
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
        {"%1 %1 %2 %3", "a", "b", "c", "a a b c"},
        // Without "%1" nothing is filled, "%2" and "%3" stay.
        {"only %2 and %3", "a", "b", "c", "only %2 and %3"},
        // Empty arguments are replaced by nothing.
        {"[%1][%2][%3]", "", "", "", "[][][]"},
        // What p1 brings in is filled by the later steps.
        {"%1!", "%2", "two", "", "two!"},
        {"%1", "%2%3", "b", "c", "bc"},
        // A placeholder brought in by its own argument is not filled again.
        {"%1", "%1", "", "", "%1"},
        {"%1 %2", "x", "%2", "", "x %2"},
        {"#1 - #2", "a", "b", "", "#1 - #2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FillPercentPlaceholders(c.text, c.p1, c.p2, c.p3), c.expected) << c.text;
    }
}

TEST(TextUtil, ReplaceSplitAndCut) {
    struct Case {
        const char* text;
        const char* from;
        const char* to;
        const char* expected;
    };
    const Case cases[] = {
        {"#1 #1 #1", "#1", "x", "x x x"}, {"aaa", "aa", "b", "ba"}, {"#1", "#1", "#1#1", "#1#1"},
        {"abc", "", "x", "abc"},          {"", "a", "b", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.expected) << c.text;

    EXPECT_EQ(SplitLines(""), std::vector<std::string>{""});
    EXPECT_EQ(SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitLines("a\nb"), std::vector<std::string>{"a\nb"});

    EXPECT_EQ(Utf8Prefix("ab", 5), "ab");
    EXPECT_EQ(Utf8Prefix("a从b", 2), "a从");  // characters, not bytes
    EXPECT_EQ(Utf8Prefix("从", 0), "");
}

}  // namespace
}  // namespace tidewell
