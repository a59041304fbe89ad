#pragma once

#include <cstdint>
#include <string>

#include "base/result.h"
#include "model/task_record.h"

namespace tidewell {

// Limit of the lasting quantity, the rounds and the period quantity.
inline constexpr int32_t kSubRepeatMaxQuantity = 300;

// Longest run of one sub-repeat for a parent schedule type, in seconds: a day
// for Daily, Count Down and At Logon, a week for Weekly, 30 days for Monthly,
// Once and Repeating, 365 days for Yearly, 0 otherwise.
int32_t MaxDuration(ScheduleType fatherType);

// The entry a new daily time gets.
RepeatSubSchedule DefaultSubRepeat(ScheduleType fatherType);

// Whether a sub-repeat is valid; otherwise the English diagnostic of the first rule it breaks.
Result CheckSubRepeat(const RepeatSubSchedule& record);

}  // namespace tidewell
