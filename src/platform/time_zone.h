#pragma once

namespace tidewell {

// The local time zone as the clock synchronization needs it.
class TimeZonePort {
public:
    virtual ~TimeZonePort() = default;
    // Minutes to add to the current local time to get UTC (-480 for UTC+8), daylight saving
    // included when it is in effect now.
    virtual int CurrentBias() const = 0;
};

}  // namespace tidewell
