#pragma once

#include "model/task_list.h"
#include "timing/next_run_context.h"

namespace tidewell {

// After a load: drops records of unknown schedule types, computes every next
// and previous run, and puts the list into its display order: the groups of
// schedule types 0 to 7, each followed by a placeholder record (none after the
// last group), then the clock synchronization task. Inside a group, tasks with
// a next run come first (soonest first), then tasks that have run (latest
// first), then the rest (latest starting time first).
void PostLoadUpdate(TaskList& list, const NextRunContext& context);

// The two steps of PostLoadUpdate: the next and previous run of one task, and the display
// order of the whole list (placeholders dropped and made anew). Records keep their addresses.
void UpdateRuns(TaskRecord& task, const NextRunContext& context);
void ArrangeForDisplay(TaskList& list);

}  // namespace tidewell
