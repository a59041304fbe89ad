#include <gtest/gtest.h>

#include "base/text_util.h"
#include "text/language.h"
#include "text/messages.h"

namespace tidewell {
namespace {

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
    for (const Case& c : cases)
        EXPECT_EQ(FillPercentPlaceholders(c.text, c.p1, c.p2, c.p3), c.expected) << c.text;
}

}  // namespace
}  // namespace tidewell
