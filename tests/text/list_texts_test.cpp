#include <gtest/gtest.h>

#include <string>

#include "text/language.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {
namespace {

class ListTextsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLanguage(); }
    void TearDown() override { ResetLanguage(); }
};

TEST_F(ListTextsTest, MonthSelectorLines) {
    EXPECT_EQ(EveryMonthCaption(), "Every month");
    EXPECT_EQ(MonthName(1, kMonthFormatFull), "January");
    EXPECT_EQ(MonthName(12, kMonthFormatFull), "December");
    EXPECT_EQ(MonthName(1, kMonthFormatShort), "Jan");
    EXPECT_EQ(MonthName(6, kMonthFormatShort), "Jun");
    EXPECT_EQ(MonthName(9, 7), "Sep");  // an unknown format reads as short names
    EXPECT_EQ(MonthName(0, kMonthFormatFull), "");
    EXPECT_EQ(MonthName(13, kMonthFormatShort), "");
    const char* weeks[] = {"First week", "Second week", "Third week", "Fourth week", "Last week"};
    for (int ordinal = 1; ordinal <= 5; ++ordinal) {
        EXPECT_EQ(WeekOrdinalName(ordinal), weeks[ordinal - 1]);
    }
    EXPECT_EQ(WeekOrdinalName(6), "");
    EXPECT_EQ(MonthFormatName(kMonthFormatShort), "Short month names");
    EXPECT_EQ(MonthFormatName(kMonthFormatFull), "Full month names");
    EXPECT_EQ(MonthFormatName(2), "");
}

TEST_F(ListTextsTest, MonthSelectorLinesInBothColumns) {
    for (MessageLanguage language : {MessageLanguage::English, MessageLanguage::Chinese}) {
        EXPECT_EQ(SplitLines(LoadMessageIn(language, IDS_TIDEWELL_STMT_STRINGS)).size(),
                  kMonthSelectorLineCount);
    }
    SetLanguage(kLcidSimplifiedChinese);
    EXPECT_EQ(EveryMonthCaption(), "每月");
    EXPECT_EQ(MonthName(3, kMonthFormatFull), "三月");
    EXPECT_EQ(MonthName(3, kMonthFormatShort), "3月");
    EXPECT_EQ(WeekOrdinalName(5), "最后一周");
    EXPECT_EQ(WeekdayName(2), "星期二");
}

TEST_F(ListTextsTest, WeekdaysStartOnMonday) {
    const char* days[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    for (int day = 1; day <= 7; ++day) {
        EXPECT_EQ(WeekdayName(day), days[day - 1]);
    }
    EXPECT_EQ(WeekdayName(0), "");
    EXPECT_EQ(WeekdayName(8), "");
}

TEST_F(ListTextsTest, OperationListsHoldOneLinePerOperation) {
    for (int32_t id : {IDS_TIDEWELL_TTS_OPERATION_LIST, IDS_DIALOG_SHUT_DOWN_PROMPT_LIST,
                       IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST}) {
        for (MessageLanguage language : {MessageLanguage::English, MessageLanguage::Chinese}) {
            EXPECT_EQ(SplitLines(LoadMessageIn(language, id)).size(), 7u) << id;
        }
    }
    EXPECT_EQ(LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, 2), "Shut Down");
    EXPECT_EQ(LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, 7), "");
    const std::string prompt =
        ReplaceAll(ReplaceAll(LoadMessage(IDS_DIALOG_SHUT_DOWN_PROMPT_HOLDER), "#1", "30"), "#2",
                   LoadMessageLine(IDS_DIALOG_SHUT_DOWN_PROMPT_LIST, 3));
    EXPECT_EQ(prompt,
              "Your computer will reboot within 30 second(s). Please save everything before time is up.");
    EXPECT_EQ(ReplaceAll(LoadMessage(IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_HOLDER_R), "#1",
                         LoadMessageLine(IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST, 2)),
              "Shut Down &Right Now!");
}

TEST_F(ListTextsTest, OptionPageLabels) {
    const auto general = SplitLines(LoadMessage(IDS_DIALOG_OPTIONS_GENERAL_LIST));
    ASSERT_EQ(general.size(), 12u);
    EXPECT_EQ(general[0], "&Save schedule changes automatically after any changes");
    EXPECT_EQ(general[4], "Changes to #1 were not saved for the following reason:");
    EXPECT_EQ(general[6], "#2");
    EXPECT_EQ(general[8], "Enable &update auto-detection and processing");
    EXPECT_EQ(general[9], "You have disabled update auto-detection and processing.");
    const auto schedule = SplitLines(LoadMessage(IDS_DIALOG_OPTIONS_SCHEDULE_LIST));
    ASSERT_EQ(schedule.size(), 3u);
    EXPECT_EQ(schedule[2], "&Format of months:");
    EXPECT_EQ(SplitLines(LoadMessage(IDS_TIDEWELL_TTM_STRINGS)).size(), 3u);
    EXPECT_EQ(LoadMessageLine(IDS_TIDEWELL_SUMMARY_RP_WHEN_TO_SET, 1),
              "When the scheduled time is up (later)");
}

TEST(CommandPrompt, SplitsAtTheFirstSeparator) {
    struct Case {
        const char* text;
        const char* status;
        const char* toolTip;
    };
    const Case cases[] = {
        {"Run the currently selected task right now\\nRun Now", "Run the currently selected task right now",
         "Run Now"},
        {"Prompt\\nTip\\nMore", "Prompt", "Tip\\nMore"},
        {"Prompt\nTip", "Prompt", "Tip"},
        {"Prompt\\nTip\nMore", "Prompt", "Tip\nMore"},
        {"Ready", "Ready", "Ready"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const CommandPrompt prompt = SplitCommandPrompt(c.text);
        EXPECT_EQ(prompt.status, c.status) << c.text;
        EXPECT_EQ(prompt.toolTip, c.toolTip) << c.text;
    }
    const CommandPrompt run =
        SplitCommandPrompt(LoadMessageIn(MessageLanguage::Chinese, IDS_TIDEWELL_COMMAND_TIP_SCHEDULE_RUN));
    EXPECT_EQ(run.toolTip, "立即运行");
}

}  // namespace
}  // namespace tidewell
