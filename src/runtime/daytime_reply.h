#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tidewell {

// A Daytime reply is read up to this many bytes.
inline constexpr std::size_t kDaytimeReplyLimit = 50;
// Replies without this text after their first character are not used.
inline constexpr std::string_view kDaytimeMarker = "NIST";

// The UTC date and time a Daytime server reports.
struct DaytimeTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DaytimeTime&, const DaytimeTime&) = default;
};

// Reads a reply in the NIST text form, "\nJJJJJ YR-MO-DA HH:MM:SS TT L H msADV UTC(NIST) *":
// the marker must occur after the first character; the year of the century, month and day are the
// two digits at offsets 7, 10 and 13 with dashes between them, the hour, minute and second those at
// offsets 16, 19 and 22 with colons between them. Only the first kDaytimeReplyLimit bytes count. A
// reply that does not read so, or a date or time out of range, gives nothing.
std::optional<DaytimeTime> ParseDaytimeReply(std::string_view reply);

// Whether the bytes received so far make a whole reply: the limit is reached, or the line that
// follows the leading line feed has ended.
bool DaytimeReplyComplete(std::string_view received);

}  // namespace tidewell
