#include <gtest/gtest.h>

#include "schedule_file/schedule_lists.h"

namespace tidewell {
namespace {

TEST(ScheduleLists, MonthLines) {
    // A line as read, and as written back (empty: refused).
    const std::pair<const char*, const char*> cases[] = {
        {"1 21 08:00:00", "0m;1 21 08:00:00"},
        {"1,6,12m;1 21 08:00:00", "1,6,12m;1 21 08:00:00"},
        {"13,0,6m;0 13 09:30:00", "6m;0 13 09:30:00"},
        {"1,2,3,4,5,6,7,8,9,10,11,12m;0 56 09:30:00", "0m;0 56 09:30:00"},
        {"0m;1 05 08:00", ""},
        {"0m;2 05 08:00:00", ""},
        {"0m;1 32 08:00:00", ""},
    };
    for (const auto& [line, stored] : cases) EXPECT_EQ(MonthListText(ReadMonthList(line)), stored) << line;
    EXPECT_EQ(ReadMonthList("0m;1 05 08:00:00\r\n\r\n0m;0 11 10:00:00\n").size(), 2u);
}

}  // namespace
}  // namespace tidewell
