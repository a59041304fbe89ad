#include "platform/argument_split.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace tidewell {
namespace {

using SplitRow = std::tuple<const char*, std::string, std::vector<std::string>>;

const std::vector<SplitRow> kRows = {
    {"empty", "", {}},
    {"runs of blanks", "  a \t b\n\nc  ", {"a", "b", "c"}},
    {"double quotes keep blanks", "\"a b\"  c", {"a b", "c"}},
    {"quotes join neighbours", "x\"a b\"y'c d'z", {"xa byc dz"}},
    {"empty quotes are arguments", "\"\" '' a", {"", "", "a"}},
    {"backslash escapes a blank", "a\\ b c", {"a b", "c"}},
    {"backslash escapes quotes", "\\\"a\\' b", {"\"a'", "b"}},
    {"backslash-newline joins", "ab\\\ncd", {"abcd"}},
    {"backslash in double quotes before special", "\"\\\" \\\\ \\$ \\`\"", {"\" \\ $ `"}},
    {"backslash in double quotes before other", "\"\\n\\a\"", {"\\n\\a"}},
    {"backslash in single quotes is plain", "'a\\'b", {"a\\b"}},
    {"single quote inside double quotes", "\"it's\"", {"it's"}},
    {"open double quote runs to the end", "a \"b c", {"a", "b c"}},
    {"final lone backslash stays", "a b\\", {"a", "b\\"}},
    {"no variable expansion", "$HOME ${PATH} \"$USER\"", {"$HOME", "${PATH}", "$USER"}},
    {"no command substitution", "`id` $(id) \"`id`\"", {"`id`", "$(id)", "`id`"}},
    {"no operators, redirection or comments",
     "a;b | c > d && e # f",
     {"a;b", "|", "c", ">", "d", "&&", "e", "#", "f"}},
    {"UTF-8 passes through", "\"日本 語\" é", {"日本 語", "é"}},
};

TEST(SplitArgumentsTest, SplitsAsAShellSplitsWordsWithoutExpanding) {
    for (const auto& [note, text, expected] : kRows) EXPECT_EQ(SplitArguments(text), expected) << note;
}

}  // namespace
}  // namespace tidewell
