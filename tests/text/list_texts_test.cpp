#include "text/list_texts.h"

#include <gtest/gtest.h>

#include "text/language.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// A number outside a list's lines names nothing, in either language, and never reads past the list.
TEST(ListTexts, NothingOutsideTheRange) {
    for (const int32_t lcid : {kLcidEnglish, kLcidSimplifiedChinese}) {
        SetLanguage(lcid);
        EXPECT_EQ(MonthName(0, kMonthFormatFull), "");
        EXPECT_EQ(MonthName(13, kMonthFormatShort), "");
        EXPECT_EQ(WeekOrdinalName(6), "");
        EXPECT_EQ(WeekdayName(8), "");
        EXPECT_EQ(LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, 7), "");
    }
    ResetLanguage();
    EXPECT_EQ(MonthName(12, 7), "Dec");  // an unknown format reads as short names
}

}  // namespace
}  // namespace tidewell
