#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tidewell {

// Status of a date-time value or span. The numeric values are the stored ones.
enum class DateTimeStatus : int32_t { valid = 0, invalid = 1, null = 2 };

// Text of an invalid value when it is formatted.
inline constexpr std::string_view kInvalidDateTimeText = "Invalid DateTime";

// Storage form of a date-time and the form of a time of day.
inline constexpr const char* kStorageFormat = "%Y-%m-%d %H:%M:%S";
inline constexpr const char* kTimeOfDayFormat = "%H:%M:%S";

inline constexpr int64_t kSecondsPerDay = 86400;

class TimeSpan;

// A local wall-clock date and time with one-second resolution.
//
// Held as whole seconds since 1899-12-30 00:00:00 (day count 0.0 of the OLE
// Automation convention). The range is 1 January 100 00:00:00 to
// 31 December 9999 23:59:59; anything outside it is invalid.
class DateTime {
public:
    // Day count 0 (1899-12-30 00:00:00), valid.
    constexpr DateTime() = default;

    static DateTime FromSeconds(int64_t secondsSinceEpoch);
    // The OLE convention: the integer part counts days, the fraction is the time
    // of day even for negative counts (-1.25 is 1899-12-29 06:00:00). The
    // fraction is rounded to the nearest second.
    static DateTime FromDayCount(double dayCount);
    // Builds a value, invalid when a component is out of range.
    static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    static DateTime Invalid();
    static DateTime Null();

    // Sets the value from components; returns the status of the result, which is
    // invalid (and the value unchanged but marked invalid) when any component is
    // out of range or the year is outside 100..9999.
    DateTimeStatus SetDateTime(int year, int month, int day, int hour, int minute, int second);
    void SetStatus(DateTimeStatus status) { m_status = status; }

    DateTimeStatus GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == DateTimeStatus::valid; }
    int64_t Seconds() const { return m_seconds; }
    double DayCount() const;

    // Components; -1 when the value is not valid. Day of week: 1 = Sunday ... 7 = Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    // Seconds since midnight; -1 when not valid.
    int SecondOfDay() const;
    // Days since 1899-12-30 of the date part (floor).
    int64_t DayNumber() const;

    // strftime conversion codes; null gives "", invalid gives kInvalidDateTimeText.
    std::string Format(const char* pattern) const;

    DateTime& operator+=(const TimeSpan& span);
    DateTime& operator-=(const TimeSpan& span);

    // Comparisons look at the instant only, never at the status.
    friend bool operator==(const DateTime& a, const DateTime& b) { return a.m_seconds == b.m_seconds; }
    friend auto operator<=>(const DateTime& a, const DateTime& b) { return a.m_seconds <=> b.m_seconds; }

private:
    int64_t m_seconds = 0;
    DateTimeStatus m_status = DateTimeStatus::valid;
};

// The signed difference of two values, in whole seconds, with the same status triple.
class TimeSpan {
public:
    constexpr TimeSpan() = default;
    static TimeSpan FromSeconds(int64_t seconds);
    // Whole seconds of a span held as fractional days: days x 86400 plus a small
    // tolerance for the floating representation, truncated toward zero. The
    // tolerance is applied away from zero so that -60 seconds stays -60.
    static TimeSpan FromDays(double days);
    static TimeSpan Invalid();
    static TimeSpan Null();

    // days + hours/24 + minutes/1440 + seconds/86400.
    void SetDateTimeSpan(int64_t days, int hours, int minutes, int seconds);

    DateTimeStatus GetStatus() const { return m_status; }
    bool IsValid() const { return m_status == DateTimeStatus::valid; }
    int64_t GetTotalSeconds() const { return m_seconds; }
    double GetTotalDays() const { return static_cast<double>(m_seconds) / 86400.0; }
    int64_t GetDays() const { return m_seconds / 86400; }
    int GetHours() const { return static_cast<int>((m_seconds % 86400) / 3600); }
    int GetMinutes() const { return static_cast<int>((m_seconds % 3600) / 60); }
    int GetSeconds() const { return static_cast<int>(m_seconds % 60); }

    friend bool operator==(const TimeSpan& a, const TimeSpan& b) { return a.m_seconds == b.m_seconds; }
    friend auto operator<=>(const TimeSpan& a, const TimeSpan& b) { return a.m_seconds <=> b.m_seconds; }

private:
    friend class DateTime;
    void CheckRange();

    int64_t m_seconds = 0;
    DateTimeStatus m_status = DateTimeStatus::valid;
};

DateTime operator+(DateTime value, const TimeSpan& span);
DateTime operator-(DateTime value, const TimeSpan& span);
TimeSpan operator-(const DateTime& a, const DateTime& b);

// Parses the forms the program writes: "%Y-%m-%d %H:%M:%S", a bare date
// "%Y-%m-%d", a bare time "%H:%M:%S" (on day 0) and the long form "%B %d, %Y".
// Leading and trailing blanks are allowed. Anything else gives an invalid
// value with day count 0; the parser never throws.
DateTime ParseDateTime(std::string_view text);

}  // namespace tidewell
