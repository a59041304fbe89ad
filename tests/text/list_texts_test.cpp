#include "text/list_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "text/language.h"
#include "text/messages.h"
#include "base/text_util.h"

namespace tidewell {
namespace {

// Rows read line by line need the same number of lines in both languages.
TEST(ListTexts, ListRowsHoldTheLinesTheirReadersIndex) {
    struct Case {
        int32_t id;
        std::size_t lines;
    };
    const Case cases[] = {
        {IDS_TIDEWELL_STMT_STRINGS, kMonthSelectorLineCount},
        {IDS_TIDEWELL_TTS_OPERATION_LIST, 7},
        {IDS_DIALOG_SHUT_DOWN_PROMPT_LIST, 7},
        {IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST, 7},
        {IDS_DIALOG_OPTIONS_GENERAL_LIST, 12},
        {IDS_DIALOG_OPTIONS_SCHEDULE_LIST, 3},
        {IDS_TIDEWELL_TTM_STRINGS, 3},
    };
    for (const Case& c : cases) {
        for (MessageLanguage language : {MessageLanguage::English, MessageLanguage::Chinese}) {
            EXPECT_EQ(SplitLines(LoadMessageIn(language, c.id)).size(), c.lines) << c.id;
        }
    }
}

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

TEST(CommandPrompt, SplitsAtTheFirstSeparator) {
    struct Case {
        const char* text;
        const char* status;
        const char* toolTip;
    };
    const Case cases[] = {
        {"Prompt\\nTip", "Prompt", "Tip"}, {"Prompt\\nTip\\nMore", "Prompt", "Tip\\nMore"},
        {"Prompt\nTip", "Prompt", "Tip"},  {"Prompt\\nTip\nMore", "Prompt", "Tip\nMore"},
        {"Ready", "Ready", "Ready"},       {"", "", ""},
    };
    for (const Case& c : cases) {
        const CommandPrompt prompt = SplitCommandPrompt(c.text);
        EXPECT_EQ(prompt.status, c.status) << c.text;
        EXPECT_EQ(prompt.toolTip, c.toolTip) << c.text;
    }
}

}  // namespace
}  // namespace tidewell
