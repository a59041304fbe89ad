#include <gtest/gtest.h>

#include "schedule_file/schedule_lists.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

std::vector<std::string> Texts(const std::vector<DateTime>& times, const char* format) {
    std::vector<std::string> texts;
    for (const DateTime& time : times) texts.push_back(time.Format(format));
    return texts;
}

TEST(ScheduleLists, DailyAndOncePiecesAreReadByPosition) {
    struct Case {
        const char* stored;
        std::vector<std::string> daily;
    };
    const Case cases[] = {
        {"08:00:00\r\n20:00:00", {"08:00:00", "20:00:00"}},
        {"08:00:0020:00:00", {"08:00:00", "20:00:00"}},
        {"25:00:00\r\n20:00:00", {"20:00:00"}},
        {"8:00:00\r\n20:00:00", {"20:00:00"}},  // the first piece, "8:00:00\r", does not format back
        {"08:00:00\r\n20:00", {"08:00:00"}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Texts(ReadDailyList(c.stored), kTimeOfDayFormat), c.daily) << c.stored;

    EXPECT_EQ(Texts(ReadOnceList("2024-03-05 07:30:00\r\n2024-02-30 12:00:00\r\n2024-02-29 12:00:00"),
                    kStorageFormat),
              (std::vector<std::string>{"2024-03-05 07:30:00", "2024-02-29 12:00:00"}));
}

TEST(ScheduleLists, WeeklyPieces) {
    std::vector<WeeklyItem> items = ReadWeeklyList("1 09:00:00\r\n7 23:59:59\r\n8 10:00:00\r\n3x10:00:00");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].weekday, 7);
    EXPECT_EQ(items[1].time.Format(kTimeOfDayFormat), "23:59:59");
}

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
