// The Find dialog's history in the settings registry.
#include <gtest/gtest.h>

#include "config/find_settings.h"
#include "platform/memory_settings.h"

namespace tidewell {
namespace {

TEST(FindSettings, HistoryReadsFiftySkippingBlanksAndRepeatsAndStoresTwenty) {
    MemorySettings settings;
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
    for (int number = 2; number < 20; ++number)
        EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, FindHistoryKey(number), "?"), "") << number;
    EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, "Find String 20", "?"), "text 20");

    std::vector<std::string> many;
    for (int i = 0; i < 30; ++i) many.push_back("entry " + std::to_string(i));
    ASSERT_TRUE(WriteFindHistory(settings, many));
    EXPECT_EQ(settings.ReadSettingString(find_keys::kSection, "Find String 19", "?"), "entry 19");
}

}  // namespace
}  // namespace tidewell
