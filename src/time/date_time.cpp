#include "time/date_time.h"

#include <array>
#include <cmath>
#include <cstring>
#include <ctime>

#include "time/calendar.h"

namespace tidewell {
namespace {

constexpr int64_t kMinDay = -657434;  // 1 January 100
constexpr int64_t kMaxDay = 2958465;  // 31 December 9999
constexpr int64_t kMinSeconds = kMinDay * kSecondsPerDay;
constexpr int64_t kMaxSeconds = (kMaxDay + 1) * kSecondsPerDay - 1;
// Carries a span held as days over a floating-point shortfall (0.5 s / 86400).
constexpr double kWholeSecondTolerance = 5.787037037037037e-6;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool InRange(int64_t seconds) {
    return seconds >= kMinSeconds && seconds <= kMaxSeconds;
}

DateTimeStatus Combine(DateTimeStatus a, DateTimeStatus b) {
    if (a == DateTimeStatus::null || b == DateTimeStatus::null) return DateTimeStatus::null;
    if (a == DateTimeStatus::invalid || b == DateTimeStatus::invalid) return DateTimeStatus::invalid;
    return DateTimeStatus::valid;
}

// "%Y-%m-%d %H:%M:%S" when a date is given, else "%H:%M:%S".
std::string FormatDigits(const CivilDate* date, int secondOfDay) {
    char text[20];
    char* out = text;
    auto put = [&out](int value, int digits) {
        for (int i = digits - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
        out += digits;
    };
    if (date != nullptr) {
        put(date->year, 4);
        *out++ = '-';
        put(date->month, 2);
        *out++ = '-';
        put(date->day, 2);
        *out++ = ' ';
    }
    put(secondOfDay / 3600, 2);
    *out++ = ':';
    put(secondOfDay % 3600 / 60, 2);
    *out++ = ':';
    put(secondOfDay % 60, 2);
    return std::string(text, out);
}

}  // namespace

DateTime DateTime::FromSeconds(int64_t secondsSinceEpoch) {
    DateTime value;
    value.m_seconds = secondsSinceEpoch;
    value.m_status = InRange(secondsSinceEpoch) ? DateTimeStatus::valid : DateTimeStatus::invalid;
    return value;
}

DateTime DateTime::FromDayCount(double dayCount) {
    if (!std::isfinite(dayCount) || dayCount < static_cast<double>(kMinDay) - 1 ||
        dayCount > static_cast<double>(kMaxDay) + 1) {
        return Invalid();
    }
    double whole = std::trunc(dayCount);
    double fraction = std::fabs(dayCount - whole);
    auto seconds = static_cast<int64_t>(whole) * kSecondsPerDay +
                   static_cast<int64_t>(std::llround(fraction * static_cast<double>(kSecondsPerDay)));
    return FromSeconds(seconds);
}

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
    DateTime value;
    value.SetDateTime(year, month, day, hour, minute, second);
    return value;
}

DateTime DateTime::Invalid() {
    DateTime value;
    value.m_status = DateTimeStatus::invalid;
    return value;
}

DateTime DateTime::Null() {
    DateTime value;
    value.m_status = DateTimeStatus::null;
    return value;
}

DateTimeStatus DateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second) {
    bool ok = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
              day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
              second >= 0 && second <= 59;
    if (!ok) {
        m_status = DateTimeStatus::invalid;
        return m_status;
    }
    m_seconds = DayNumberOfDate(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    m_status = DateTimeStatus::valid;
    return m_status;
}

double DateTime::DayCount() const {
    int64_t day = DayNumber();
    double fraction =
        static_cast<double>(m_seconds - day * kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

int64_t DateTime::DayNumber() const {
    return FloorDiv(m_seconds, kSecondsPerDay);
}

int DateTime::SecondOfDay() const {
    if (!IsValid()) return -1;
    return static_cast<int>(m_seconds - DayNumber() * kSecondsPerDay);
}

int DateTime::GetYear() const {
    return IsValid() ? DateOfDayNumber(DayNumber()).year : -1;
}
int DateTime::GetMonth() const {
    return IsValid() ? DateOfDayNumber(DayNumber()).month : -1;
}
int DateTime::GetDay() const {
    return IsValid() ? DateOfDayNumber(DayNumber()).day : -1;
}
int DateTime::GetHour() const {
    return IsValid() ? SecondOfDay() / 3600 : -1;
}
int DateTime::GetMinute() const {
    return IsValid() ? SecondOfDay() % 3600 / 60 : -1;
}
int DateTime::GetSecond() const {
    return IsValid() ? SecondOfDay() % 60 : -1;
}

int DateTime::GetDayOfWeek() const {
    if (!IsValid()) return -1;
    // Day 0 (1899-12-30) was a Saturday: (day + 6) mod 7 counts 0 = Sunday.
    int64_t shifted = DayNumber() + 6;
    return static_cast<int>(shifted - FloorDiv(shifted, 7) * 7) + 1;
}

std::string DateTime::Format(const char* pattern) const {
    if (m_status == DateTimeStatus::null) return {};
    if (m_status == DateTimeStatus::invalid) return std::string(kInvalidDateTimeText);
    CivilDate date = DateOfDayNumber(DayNumber());
    // The two forms every file holds are written directly: strftime is slow for them.
    bool storage = std::strcmp(pattern, kStorageFormat) == 0;
    if (storage || std::strcmp(pattern, kTimeOfDayFormat) == 0) {
        return FormatDigits(storage ? &date : nullptr, SecondOfDay());
    }
    std::tm parts{};
    parts.tm_year = date.year - 1900;
    parts.tm_mon = date.month - 1;
    parts.tm_mday = date.day;
    parts.tm_hour = GetHour();
    parts.tm_min = GetMinute();
    parts.tm_sec = GetSecond();
    parts.tm_wday = GetDayOfWeek() - 1;
    parts.tm_yday = static_cast<int>(DayNumber() - DayNumberOfDate(date.year, 1, 1));
    parts.tm_isdst = -1;
    std::array<char, 256> buffer{};
    size_t length = std::strftime(buffer.data(), buffer.size(), pattern, &parts);
    return std::string(buffer.data(), length);
}

DateTime& DateTime::operator+=(const TimeSpan& span) {
    m_status = Combine(m_status, span.m_status);
    m_seconds += span.m_seconds;
    if (m_status == DateTimeStatus::valid && !InRange(m_seconds)) m_status = DateTimeStatus::invalid;
    return *this;
}

DateTime& DateTime::operator-=(const TimeSpan& span) {
    TimeSpan negated = span;
    negated.m_seconds = -span.m_seconds;
    return *this += negated;
}

TimeSpan TimeSpan::FromSeconds(int64_t seconds) {
    TimeSpan span;
    span.m_seconds = seconds;
    span.CheckRange();
    return span;
}

TimeSpan TimeSpan::FromDays(double days) {
    if (!std::isfinite(days)) return Invalid();
    double seconds = days * static_cast<double>(kSecondsPerDay);
    seconds += seconds < 0 ? -kWholeSecondTolerance : kWholeSecondTolerance;
    if (std::fabs(seconds) > static_cast<double>(kMaxSeconds) * 2) return Invalid();
    return FromSeconds(static_cast<int64_t>(std::trunc(seconds)));
}

TimeSpan TimeSpan::Invalid() {
    TimeSpan span;
    span.m_status = DateTimeStatus::invalid;
    return span;
}

TimeSpan TimeSpan::Null() {
    TimeSpan span;
    span.m_status = DateTimeStatus::null;
    return span;
}

void TimeSpan::SetDateTimeSpan(int64_t days, int hours, int minutes, int seconds) {
    m_seconds = days * kSecondsPerDay + int64_t{hours} * 3600 + int64_t{minutes} * 60 + seconds;
    m_status = DateTimeStatus::valid;
    CheckRange();
}

void TimeSpan::CheckRange() {
    if (m_seconds < kMinDay * kSecondsPerDay || m_seconds > kMaxDay * kSecondsPerDay) {
        m_status = DateTimeStatus::invalid;
    }
}

DateTime operator+(DateTime value, const TimeSpan& span) {
    return value += span;
}
DateTime operator-(DateTime value, const TimeSpan& span) {
    return value -= span;
}

TimeSpan operator-(const DateTime& a, const DateTime& b) {
    TimeSpan span = TimeSpan::FromSeconds(a.Seconds() - b.Seconds());
    DateTimeStatus status = Combine(a.GetStatus(), b.GetStatus());
    if (status == DateTimeStatus::null) return TimeSpan::Null();
    if (status == DateTimeStatus::invalid) return TimeSpan::Invalid();
    return span;
}

}  // namespace tidewell
