#include "runtime/daytime_reply.h"

#include "time/calendar.h"

namespace tidewell {
namespace {

constexpr std::size_t kYearOffset = 7;
constexpr std::size_t kMonthOffset = 10;
constexpr std::size_t kDayOffset = 13;
constexpr int kCentury = 2000;
constexpr std::size_t kHourOffset = 16;
constexpr std::size_t kMinuteOffset = 19;
constexpr std::size_t kSecondOffset = 22;
constexpr std::size_t kFieldsEnd = kSecondOffset + 2;

// Two decimal digits at `offset`, or -1. Fixed offsets read garbage from a reply of another
// form, so every character is checked rather than converted blindly.
int TwoDigits(std::string_view text, std::size_t offset) {
    const char high = text[offset];
    const char low = text[offset + 1];
    if (high < '0' || high > '9' || low < '0' || low > '9') return -1;
    return (high - '0') * 10 + (low - '0');
}

}  // namespace

std::optional<DaytimeTime> ParseDaytimeReply(std::string_view reply) {
    reply = reply.substr(0, kDaytimeReplyLimit);
    if (reply.size() < kFieldsEnd || reply.find(kDaytimeMarker, 1) == std::string_view::npos) {
        return std::nullopt;
    }
    if (reply[kMonthOffset - 1] != '-' || reply[kDayOffset - 1] != '-' || reply[kMinuteOffset - 1] != ':' ||
        reply[kSecondOffset - 1] != ':') {
        return std::nullopt;
    }
    const int year = TwoDigits(reply, kYearOffset);
    const DaytimeTime time{year < 0 ? -1 : kCentury + year, TwoDigits(reply, kMonthOffset),
                           TwoDigits(reply, kDayOffset),    TwoDigits(reply, kHourOffset),
                           TwoDigits(reply, kMinuteOffset), TwoDigits(reply, kSecondOffset)};
    if (time.year < 0 || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > DaysInMonth(time.year, time.month)) {
        return std::nullopt;
    }
    // A leap second (60) is refused too: a local time of day has no room for it.
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59) {
        return std::nullopt;
    }
    return time;
}

bool DaytimeReplyComplete(std::string_view received) {
    return received.size() >= kDaytimeReplyLimit ||
           (received.size() > 1 && received.find('\n', 1) != std::string_view::npos);
}

}  // namespace tidewell
