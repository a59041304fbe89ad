#pragma once

#include <string>

#include "model/task_record.h"
#include "timing/next_run_context.h"

namespace tidewell {

// The "Next Run" column text of a task and its next-run fields.
//
// All of these are pure functions of the task and "now": they order the
// task's lists in place and write only the fields they name.

// Computes the next run after now, writes "SchI Have Next Run Time" and
// "SchI Next Run Time" (except for an empty list, which changes nothing) and
// returns the column text, "Never" when there is no next run.
std::string NextRunTime(const DateTime& now, TaskRecord& task);

// NextRunTime without the column text, for callers that walk many runs: writes the same
// fields and returns whether there is a next run.
bool NextRunFields(const DateTime& now, TaskRecord& task);

// The scheduler's entry point: NextRunTime at the clock's now, then a new
// random run time when the task decides it as soon as the schedule is set.
std::string GetNextRunString(TaskRecord& task, const NextRunContext& context);
// GetNextRunString without the column text: whether the task has a next run.
bool GetNextRun(TaskRecord& task, const NextRunContext& context);

struct FollowingRunResult {
    std::string text;  // column text, "Never" when there is none
    bool found = false;
    DateTime time;
};
// The run after the next one, computed on a copy of the task; the caller
// switches randomization off first so the copy draws nothing.
FollowingRunResult FollowingRun(const TaskRecord& task, const NextRunContext& context);

// The latest scheduled instant before now inside the schedule's bounds;
// writes the previous-run pair of the task and returns the instant's column
// text or "Never".
std::string PreviousRun(const DateTime& now, TaskRecord& task);

}  // namespace tidewell
