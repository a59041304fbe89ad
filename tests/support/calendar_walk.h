#pragma once

#include <cstdint>
#include <vector>

#include "model/task_record.h"

namespace tidewell::testing {

// The instants a Daily, Weekly, Monthly, Yearly or Once list schedules on one day (a day number),
// found by walking the calendar rather than by the next-run computation. The starting and ending
// times are not applied; other schedule types give nothing.
std::vector<DateTime> ListInstantsOfDay(const TaskRecord& task, int64_t day);

}  // namespace tidewell::testing
