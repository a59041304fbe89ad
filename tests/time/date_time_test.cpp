#include "time/date_time.h"

#include <gtest/gtest.h>

#include "time/calendar.h"
#include "time/time_unit.h"

namespace tidewell {
namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return DateTime::FromParts(y, mo, d, h, mi, s);
}

TEST(DateTime, SetDateTimeRejectsImpossibleComponents) {
    struct Case {
        int y, mo, d, h, mi, s;
        bool valid;
    };
    const Case cases[] = {
        {2006, 4, 31, 0, 0, 0, false}, {2007, 2, 29, 0, 0, 0, false},    {2008, 2, 29, 0, 0, 0, true},
        {1900, 2, 29, 0, 0, 0, false}, {2000, 2, 29, 0, 0, 0, true},     {2006, 13, 1, 0, 0, 0, false},
        {2006, 0, 1, 0, 0, 0, false},  {2006, 1, 0, 0, 0, 0, false},     {2006, 1, 1, 24, 0, 0, false},
        {2006, 1, 1, 0, 60, 0, false}, {2006, 1, 1, 0, 0, 60, false},    {99, 12, 31, 0, 0, 0, false},
        {100, 1, 1, 0, 0, 0, true},    {9999, 12, 31, 23, 59, 59, true}, {10000, 1, 1, 0, 0, 0, false},
    };
    for (const Case& c : cases) {
        DateTime value;
        DateTimeStatus status = value.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(status == DateTimeStatus::valid, c.valid) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(value.IsValid(), c.valid);
        if (!c.valid) {
            EXPECT_EQ(value.GetYear(), -1);
        }
    }
}

TEST(ParseDateTime, AcceptsTheWrittenForms) {
    struct Case {
        const char* text;
        DateTime expected;
    };
    const Case cases[] = {
        {"2024-03-05 07:30:00", At(2024, 3, 5, 7, 30)},
        {"  2024-03-05 07:30:00\r\n", At(2024, 3, 5, 7, 30)},
        {"2024-3-5 7:30:00", At(2024, 3, 5, 7, 30)},
        {"2024-03-05", At(2024, 3, 5)},
        {"2024-03-05 07:30", At(2024, 3, 5, 7, 30)},
        {"08:00:00", At(1899, 12, 30, 8)},
        {"March 05, 2006", At(2006, 3, 5)},
        {"december 31, 9999", At(9999, 12, 31)},
        {"0100-01-01 00:00:00", At(100, 1, 1)},
    };
    for (const Case& c : cases) {
        DateTime value = ParseDateTime(c.text);
        EXPECT_TRUE(value.IsValid()) << c.text;
        EXPECT_EQ(value, c.expected) << c.text;
    }
}

TEST(ParseDateTime, RefusesEverythingElseAsInvalidDayZero) {
    const char* texts[] = {"",
                           "   ",
                           "garbage",
                           "2024-02-30 12:00:00",
                           "2024-03-05 25:00:00",
                           "2024-03-05x",
                           "2024/03/05",
                           "2024-03-05 07:30:00 junk",
                           "99999-01-01",
                           "March 32, 2006",
                           "Marc 5, 2006",
                           "12:3",
                           "2024-03-05 07:60:00",
                           "-2024-03-05",
                           "0099-12-31"};
    for (const char* text : texts) {
        DateTime value = ParseDateTime(text);
        EXPECT_EQ(value.GetStatus(), DateTimeStatus::invalid) << text;
        EXPECT_EQ(value.DayCount(), 0.0) << text;
    }
}

TEST(Calendar, MonthEndClamping) {
    struct Case {
        int year, month, day;
        DateTime expected;
    };
    const Case cases[] = {
        {2006, 4, 31, At(2006, 4, 30, 10)}, {2007, 2, 31, At(2007, 2, 28, 10)},
        {2008, 2, 31, At(2008, 2, 29, 10)}, {2007, 2, 29, At(2007, 2, 28, 10)},
        {2008, 2, 30, At(2008, 2, 29, 10)}, {2006, 1, 31, At(2006, 1, 31, 10)},
        {2006, 6, 15, At(2006, 6, 15, 10)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampedMonthDay(c.year, c.month, c.day, 36000), c.expected) << c.month << "/" << c.day;
}

TEST(Calendar, FirstAndLastWeekdaysAgreeWithAWalk) {
    for (int year : {1999, 2000, 2006, 2008, 2100}) {
        for (int month = 1; month <= 12; ++month) {
            WeekdayDays first = FirstWeekdays(year, month);
            WeekdayDays last = LastWeekdays(year, month);
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                int weekday = At(year, month, day).GetDayOfWeek();
                int index = weekday == 1 ? 6 : weekday - 2;
                if (day <= 7) {
                    EXPECT_EQ(first[index], day);
                }
                if (day > DaysInMonth(year, month) - 7) {
                    EXPECT_EQ(last[index], day);
                }
            }
        }
    }
}

}  // namespace
}  // namespace tidewell
