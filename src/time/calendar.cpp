#include "time/calendar.h"

#include "time/date_time.h"

namespace tidewell {
namespace {

// Days from 1970-01-01 to 1899-12-30.
constexpr int64_t kEpochShift = -25569;

// Howard Hinnant's civil-date algorithms, days relative to 1970-01-01.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

}  // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DayNumberOfDate(int year, int month, int day) {
    return DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochShift;
}

CivilDate DateOfDayNumber(int64_t dayNumber) {
    return CivilFromDays(dayNumber + kEpochShift);
}

DateTime ClampedMonthDay(int year, int month, int day, int secondOfDay) {
    DateTime value;
    int hour = secondOfDay / 3600;
    int minute = secondOfDay % 3600 / 60;
    int second = secondOfDay % 60;
    while (value.SetDateTime(year, month, day, hour, minute, second) != DateTimeStatus::valid && day >= 29) {
        --day;
    }
    return value;
}

DateTime StartOfWeek(const DateTime& value) {
    int weekday = value.GetDayOfWeek();  // 1 = Sunday
    int back = weekday == 1 ? 6 : weekday - 2;
    return DateTime::FromSeconds((value.DayNumber() - back) * 86400);
}

WeekdayDays FirstWeekdays(int year, int month) {
    int weekdayOfFirst = DateTime::FromParts(year, month, 1).GetDayOfWeek();
    int firstMonday = 10 - weekdayOfFirst;
    if (firstMonday > 7) firstMonday -= 7;
    WeekdayDays first{};
    for (int w = 0; w < 7; ++w) {
        first[w] = firstMonday + w > 7 ? firstMonday + w - 7 : firstMonday + w;
    }
    return first;
}

WeekdayDays LastWeekdays(int year, int month) {
    // The same days as walking the last seven days of the month.
    int lastDay = DaysInMonth(year, month);
    int weekday = DateTime::FromParts(year, month, lastDay).GetDayOfWeek();  // 1 = Sunday
    int lastIndex = weekday == 1 ? 6 : weekday - 2;                          // 0 = Monday
    WeekdayDays last{};
    for (int w = 0; w < 7; ++w) {
        last[w] = lastDay - (lastIndex - w + 7) % 7;
    }
    return last;
}

}  // namespace tidewell
