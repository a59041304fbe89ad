#pragma once

#include <array>
#include <cstdint>

namespace tidewell {

class DateTime;

bool IsLeapYear(int year);
// 28..31; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);

// Days since 1899-12-30 of a proleptic Gregorian date (no range check).
int64_t DayNumberOfDate(int year, int month, int day);

struct CivilDate {
    int year;
    int month;
    int day;
};
CivilDate DateOfDayNumber(int64_t dayNumber);

// Day N of a month at a time of day; N above the month's length falls to the
// last day (day 31 gives 30 April, 28 February 2007, 29 February 2008).
DateTime ClampedMonthDay(int year, int month, int day, int secondOfDay);

// Monday 00:00:00 of the week that holds the value.
DateTime StartOfWeek(const DateTime& value);

// Indexed by weekday 0 = Monday ... 6 = Sunday: the day of the month of the
// first (or last) such weekday of the month.
using WeekdayDays = std::array<int, 7>;
WeekdayDays FirstWeekdays(int year, int month);
WeekdayDays LastWeekdays(int year, int month);

}  // namespace tidewell
