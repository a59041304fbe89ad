#include <gtest/gtest.h>

#include "schedule_file/schedule_lists.h"

namespace tidewell {
namespace {

TEST(ScheduleLists, MonthLines) {
    struct Case {
        const char* line;
        bool parsed;
        bool everyMonth;
        std::string stored;  // written back
    };
    const Case cases[] = {
        {"0m;1 05 08:00:00", true, true, "0m;1 05 08:00:00"},
        {"1 21 08:00:00", true, true, "0m;1 21 08:00:00"},
        {"1,6,12m;1 21 08:00:00", true, false, "1,6,12m;1 21 08:00:00"},
        {"13,0,6m;0 13 09:30:00", true, false, "6m;0 13 09:30:00"},
        {"1,2,3,4,5,6,7,8,9,10,11,12m;0 56 09:30:00", true, true, "0m;0 56 09:30:00"},
        {"0m;1 05 08:00", false, false, ""},
        {"0m;2 05 08:00:00", false, false, ""},
        {"0m;1 32 08:00:00", false, false, ""},
    };
    for (const Case& c : cases) {
        std::vector<MonthlyItem> items = ReadMonthList(c.line);
        ASSERT_EQ(items.size(), c.parsed ? 1u : 0u) << c.line;
        if (!c.parsed) continue;
        EXPECT_EQ(items[0].everyMonth, c.everyMonth) << c.line;
        EXPECT_EQ(MonthListText(items), c.stored) << c.line;
    }
    EXPECT_EQ(ReadMonthList("0m;1 05 08:00:00\r\n\r\n0m;0 11 10:00:00\n").size(), 2u);
}

}  // namespace
}  // namespace tidewell
