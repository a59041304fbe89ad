#include "text/list_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text_util.h"
#include "text/language.h"
#include "text/messages.h"

namespace tidewell {
namespace {

TEST(ListTexts, NamesComeFromTheirLinesAndNothingOutsideTheRange) {
    ResetLanguage();
    struct Case {
        std::string got;
        const char* expected;
    };
    const Case cases[] = {
        {MonthName(1, kMonthFormatFull), "January"},
        {MonthName(12, 7), "Dec"},  // an unknown format reads as short names
        {MonthName(0, kMonthFormatFull), ""},
        {MonthName(13, kMonthFormatShort), ""},
        {WeekOrdinalName(5), "Last week"},
        {WeekOrdinalName(6), ""},
        {MonthFormatName(2), ""},
        {WeekdayName(1), "Monday"},
        {WeekdayName(7), "Sunday"},
        {WeekdayName(8), ""},
        {LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, 7), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
    SetLanguage(kLcidSimplifiedChinese);
    EXPECT_EQ(MonthName(3, kMonthFormatShort), "3月");
    EXPECT_EQ(WeekOrdinalName(5), "最后一周");
    ResetLanguage();
}

}  // namespace
}  // namespace tidewell
