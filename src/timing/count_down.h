#pragma once

#include "model/task_record.h"
#include "timing/next_run_context.h"

namespace tidewell {

// The count-down commands of the task list. Each computes the next run again.

// Inverts the enabled flag; a running count-down that gets disabled is paused first, so it
// keeps the time it had left.
void ToggleTaskEnabled(TaskRecord& task, const NextRunContext& context);

// Pauses a running count-down (the time left becomes its length) or continues a paused one
// (the length counts from now). False, changing nothing, when the task is no count-down.
bool PauseOrContinueCountDown(TaskRecord& task, const NextRunContext& context);

// Ends the count-down: it keeps no length, so neither the instant of the clear nor any later
// one is a run. False, changing nothing, when the task is no count-down.
bool ClearAndStopCountDown(TaskRecord& task, const NextRunContext& context);

}  // namespace tidewell
