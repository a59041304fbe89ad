#pragma once

#include "platform/time_zone.h"

namespace tidewell {

// The process's time zone (TZ or /etc/localtime), read at each call.
class SystemTimeZone final : public TimeZonePort {
public:
    int CurrentBias() const override;
};

}  // namespace tidewell
