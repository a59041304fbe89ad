#include "time/date_time.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(DateTime, DayCountFollowsTheOleConvention) {
    struct Case {
        DateTime value;
        double dayCount;
    };
    const Case cases[] = {
        {At(1899, 12, 30), 0.0},        {At(1899, 12, 30, 12), 0.5}, {At(1899, 12, 29, 6), -1.25},
        {At(1899, 12, 29), -1.0},       {At(100, 1, 1), -657434.0},  {At(9999, 12, 31), 2958465.0},
        {At(2006, 1, 1, 18), 38718.75},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.value.DayCount(), c.dayCount) << c.value.Format(kStorageFormat);
        EXPECT_EQ(DateTime::FromDayCount(c.dayCount), c.value) << c.dayCount;
    }
    EXPECT_EQ(DateTime(), At(1899, 12, 30));
    EXPECT_FALSE(DateTime::FromDayCount(2958466.0).IsValid());
    EXPECT_FALSE(DateTime::FromDayCount(-657435.0).IsValid());
}

TEST(DateTime, ComponentsAndDayOfWeek) {
    DateTime value = At(2006, 3, 12, 15, 4, 5);  // a Sunday
    EXPECT_EQ((std::vector<int>{value.GetYear(), value.GetMonth(), value.GetDay(), value.GetHour(),
                                value.GetMinute(), value.GetSecond(), value.GetDayOfWeek()}),
              (std::vector<int>{2006, 3, 12, 15, 4, 5, 1}));
    EXPECT_EQ(At(1899, 12, 29, 23).GetDayOfWeek(), 6);  // before day zero
    EXPECT_EQ(At(100, 1, 1).GetDayOfWeek(), 6);         // a Friday
    EXPECT_EQ(DateTime::Null().GetDayOfWeek(), -1);
}

TEST(DateTime, ArithmeticPropagatesStatusAndRange) {
    TimeSpan day = TimeSpan::FromSeconds(86400);
    EXPECT_EQ(At(2006, 12, 31, 23, 59, 59) + TimeSpan::FromSeconds(1), At(2007, 1, 1));
    EXPECT_EQ(At(2008, 3, 1) - day, At(2008, 2, 29));
    EXPECT_EQ((DateTime::Null() + day).GetStatus(), DateTimeStatus::null);
    EXPECT_EQ((DateTime::Invalid() + TimeSpan::Null()).GetStatus(), DateTimeStatus::null);
    EXPECT_EQ((DateTime::Invalid() + day).GetStatus(), DateTimeStatus::invalid);
    EXPECT_EQ((At(2006, 1, 1) + TimeSpan::Invalid()).GetStatus(), DateTimeStatus::invalid);
    EXPECT_EQ((At(9999, 12, 31, 23, 59, 59) + TimeSpan::FromSeconds(1)).GetStatus(), DateTimeStatus::invalid);
    EXPECT_EQ((At(100, 1, 1) - TimeSpan::FromSeconds(1)).GetStatus(), DateTimeStatus::invalid);
    EXPECT_EQ((At(2006, 1, 2) - At(2006, 1, 1)).GetTotalSeconds(), 86400);
    EXPECT_EQ((At(2006, 1, 1) - At(2006, 1, 1, 0, 1)).GetTotalSeconds(), -60);
    EXPECT_EQ((DateTime::Null() - At(2006, 1, 1)).GetStatus(), DateTimeStatus::null);
}

TEST(DateTime, ComparisonIgnoresStatus) {
    DateTime a = At(2006, 1, 1, 8);
    DateTime b = a;
    b.SetStatus(DateTimeStatus::invalid);
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(a > b);
    EXPECT_TRUE(a < At(2006, 1, 1, 8, 0, 1));
}

TEST(TimeSpan, WholeSecondsAndRange) {
    EXPECT_EQ(TimeSpan::FromDays(59.9999999 / 86400.0).GetTotalSeconds(), 60);  // rounded
    EXPECT_EQ(TimeSpan::FromDays(59.99 / 86400.0).GetTotalSeconds(), 59);       // truncated
    EXPECT_EQ(TimeSpan::FromDays(-60.0 / 86400.0).GetTotalSeconds(), -60);
    TimeSpan span;
    span.SetDateTimeSpan(1, 2, 3, 4);
    EXPECT_EQ(span.GetTotalSeconds(), 93784);
    EXPECT_EQ(span.GetHours(), 2);
    span.SetDateTimeSpan(2958466, 0, 0, 0);
    EXPECT_FALSE(span.IsValid());
}

TEST(DateTime, FormatPatterns) {
    DateTime value = At(2006, 3, 5, 7, 8, 9);
    EXPECT_EQ(value.Format(kStorageFormat), "2006-03-05 07:08:09");
    EXPECT_EQ(value.Format(kTimeOfDayFormat), "07:08:09");
    EXPECT_EQ(value.Format("%m-%d-%Y %H:%M:%S"), "03-05-2006 07:08:09");
    EXPECT_EQ(value.Format("%B %d, %Y"), "March 05, 2006");
    EXPECT_EQ(value.Format("%A %j"), "Sunday 064");
    EXPECT_EQ(DateTime::Null().Format(kStorageFormat), "");
    EXPECT_EQ(DateTime::Invalid().Format(kStorageFormat), kInvalidDateTimeText);
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
    for (const Case& c : cases) {
        EXPECT_EQ(ClampedMonthDay(c.year, c.month, c.day, 36000), c.expected) << c.month << "/" << c.day;
    }
}

TEST(Calendar, StartOfWeekIsMondayMidnight) {
    EXPECT_EQ(StartOfWeek(At(2006, 3, 12, 15)), At(2006, 3, 6));
    EXPECT_EQ(StartOfWeek(At(2006, 3, 13)), At(2006, 3, 13));
    EXPECT_EQ(StartOfWeek(At(2006, 3, 18, 23, 59, 59)), At(2006, 3, 13));
    EXPECT_EQ(StartOfWeek(At(2007, 1, 1, 12)), At(2007, 1, 1));
    EXPECT_EQ(StartOfWeek(At(2006, 12, 31, 12)), At(2006, 12, 25));
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

TEST(TimeUnit, ThousandsSeparators) {
    struct Case {
        int64_t n;
        const char* text;
    };
    const Case cases[] = {
        {0, "0"},          {999, "999"},           {1000, "1,000"},
        {-1234, "-1,234"}, {1000001, "1,000,001"}, {INT64_MIN, "-9,223,372,036,854,775,808"}};
    for (const Case& c : cases) EXPECT_EQ(FormatThousands(c.n), c.text);
}

}  // namespace
}  // namespace tidewell
