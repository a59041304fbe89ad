#pragma once

#include "model/task_record.h"

namespace tidewell {

// An instant is ending when the schedule has an ending time and the instant lies after it.
inline bool IsEnding(const ScheduleInfo& schedule, const DateTime& instant) {
    return schedule.haveEndingTime && instant > schedule.endingTime;
}

// A count-down falls due at its starting time only while it runs and has a length: clearing it
// leaves no length and a starting time just gone by, and that instant is no run, past or coming.
inline bool CountDownFallsDue(const ScheduleInfo& schedule) {
    return schedule.countDownRunning && (schedule.countDownDays != 0 || schedule.countDownSeconds != 0);
}

}  // namespace tidewell
