#pragma once

#include "model/task_record.h"
#include "timing/next_run_context.h"

namespace tidewell {

// Called by GetNextRunString when a task that decides its random run time as
// soon as the schedule is set needs a new one (its next run moved, or the
// decided time has passed). Draws the final random time.
void DecideRandomTimeWhenSet(TaskRecord& task, const NextRunContext& context);

}  // namespace tidewell
