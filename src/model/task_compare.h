#pragma once

#include "model/task_record.h"

namespace tidewell {

// Copies every field, lists included.
void CopyTask(TaskRecord& target, const TaskRecord& source);

// Whether two records describe the same task: what it does, its sound and its
// schedule. Run-time fields (next, last and previous runs, randomization) are
// left out, and so are values the task does not use (the ending time without
// an ending, the sound settings of a silent task), so a task is found again
// after its list went through the schedule file.
bool SameTask(const TaskRecord& a, const TaskRecord& b);

}  // namespace tidewell
