#pragma once

#include <time.h>

#include "support/scoped_variable.h"

namespace tidewell::testing {

// Runs a test in a time zone and puts the old one back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_zone("TZ", zone) { tzset(); }
    ~ScopedTimeZone() {
        m_zone.Restore();
        tzset();
    }

private:
    ScopedVariable m_zone;
};

}  // namespace tidewell::testing
