#pragma once

#include <string>

#include "time/time_unit.h"

namespace tidewell {

// "second(s)" ... "day(s)" in the current language; empty for an unknown code.
std::string UnitName(TimeUnit unit);

}  // namespace tidewell
