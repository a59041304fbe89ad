// The Find dialog's settings and the Options dialog's settings in the settings registry.
#include <gtest/gtest.h>

#include "config/find_settings.h"
#include "config/program_options.h"
#include "support/fake_settings.h"

namespace tidewell {
namespace {

using testing::FakeSettings;

TEST(FindSettings, OptionsReadWithTheirDefaultsAndRules) {
    FakeSettings settings;
    FindDialogSettings read = ReadFindSettings(settings);
    EXPECT_FALSE(read.wholeWord || read.matchCase || read.closeWhenDone || read.up);
    EXPECT_TRUE(read.startFromCurrent);
    // The first four are on only as 1; start-from-current is off only as 0.
    for (std::string_view name : {find_keys::kMatchWholeWord, find_keys::kMatchCase,
                                  find_keys::kCloseWhenDone, find_keys::kUp, find_keys::kStartFromCurrent}) {
        ASSERT_TRUE(settings.WriteSettingInt(find_keys::kSection, name, 2));
    }
    read = ReadFindSettings(settings);
    EXPECT_FALSE(read.wholeWord || read.matchCase || read.closeWhenDone || read.up);
    EXPECT_TRUE(read.startFromCurrent);
    const FindDialogSettings written{true, true, true, true, false};
    ASSERT_TRUE(WriteFindSettings(settings, written));
    read = ReadFindSettings(settings);
    EXPECT_TRUE(read.wholeWord && read.matchCase && read.closeWhenDone && read.up);
    EXPECT_FALSE(read.startFromCurrent);
}

TEST(FindSettings, HistoryReadsFiftySkippingBlanksAndRepeatsAndStoresTwenty) {
    FakeSettings settings;
    for (int number = 0; number < 60; ++number) {
        const std::string text = number == 3 ? "" : number == 5 ? "text 1" : "text " + std::to_string(number);
        ASSERT_TRUE(settings.WriteSettingString(find_keys::kSection, FindHistoryKey(number), text));
    }
    const std::vector<std::string> history = ReadFindHistory(settings);
    ASSERT_EQ(history.size(), 48u);  // 50 read, one blank and one repeat skipped
    EXPECT_EQ(history.front(), "text 0");
    EXPECT_EQ(history.back(), "text 49");

    // Blanks dropped, the rest of the twenty emptied, numbers beyond them left alone.
    ASSERT_TRUE(WriteFindHistory(settings, {"a", "", "b"}));
    const std::vector<std::string> after = ReadFindHistory(settings);
    ASSERT_EQ(after.size(), 32u);
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + 3),
              (std::vector<std::string>{"a", "b", "text 20"}));
    for (int number = 2; number < 20; ++number) {
        EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, FindHistoryKey(number), "?"), "") << number;
    }
    EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, "Find String 20", "?"), "text 20");

    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("entry " + std::to_string(i));
    ASSERT_TRUE(WriteFindHistory(settings, many));
    EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, "Find String 19", "?"), "entry 19");
}

TEST(ProgramOptionsSettings, DefaultsWhenMissingAndRoundTrip) {
    FakeSettings settings;
    EXPECT_EQ(ReadProgramOptions(settings), ProgramOptions{});
    const ProgramOptions changed{false, false, false, false, false, 1};
    ASSERT_TRUE(WriteProgramOptions(settings, changed));
    EXPECT_EQ(ReadProgramOptions(settings), changed);
    EXPECT_EQ(settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kMusicReminder, 7), 0);
    // Only 0 and 1 are month formats.
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kScheduleSection, app_keys::kYearlySummaryMonthFormat, 5));
    EXPECT_EQ(ReadProgramOptions(settings).yearlySummaryMonthFormat, 0);
}

}  // namespace
}  // namespace tidewell
