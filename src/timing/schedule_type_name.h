#pragma once

#include <string>

#include "model/task_enums.h"

namespace tidewell {

// "Daily" ... "At Logon" in the current language; empty for an unknown type.
std::string ScheduleTypeName(ScheduleType type);

}  // namespace tidewell
