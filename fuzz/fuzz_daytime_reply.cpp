// Reads arbitrary bytes as a Daytime server's reply: a time comes out only from a reply that
// carries the marker and two-digit fields in range, only the first 50 bytes count, and the local
// time made from it stays on the local date for every bias a time zone can have.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/clock_sync.h"
#include "runtime/daytime_reply.h"

namespace {

using namespace tidewell;

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view reply(reinterpret_cast<const char*>(data), size);
    const std::optional<DaytimeTime> time = ParseDaytimeReply(reply);
    (void)DaytimeReplyComplete(reply);
    const std::string_view counted = reply.substr(0, kDaytimeReplyLimit);
    Check(ParseDaytimeReply(counted) == time);
    if (!time) return 0;

    Check(counted.find(kDaytimeMarker, 1) != std::string_view::npos);
    Check(time->hour >= 0 && time->hour <= 23 && time->minute >= 0 && time->minute <= 59);
    Check(time->second >= 0 && time->second <= 59 && time->year >= 2000 && time->year <= 2099);

    // The last two bytes choose a bias within the world's offsets (UTC-12 to UTC+14).
    const int bias = size >= 2 ? (data[size - 2] * 256 + data[size - 1]) % 1561 - 840 : 0;
    const DateTime utc =
        DateTime::FromParts(time->year, time->month, time->day, time->hour, time->minute, time->second);
    const DateTime after = SynchronizedLocalTime(*time, bias);
    Check(utc.IsValid() && after.IsValid() && (utc - after).GetTotalSeconds() == int64_t{bias} * 60);
    return 0;
}
