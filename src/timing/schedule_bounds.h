#pragma once

#include "model/task_record.h"

namespace tidewell {

// An instant is ending when the schedule has an ending time and the instant lies after it.
inline bool IsEnding(const ScheduleInfo& schedule, const DateTime& instant) {
    return schedule.haveEndingTime && instant > schedule.endingTime;
}

}  // namespace tidewell
