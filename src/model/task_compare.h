#pragma once

#include "model/task_record.h"

namespace tidewell {

// Copies every field, lists included.
void CopyTask(TaskRecord& target, const TaskRecord& source);

// Whether two records describe the same task: what it does, its sound and its
// schedule. Run-time fields (next, last and previous runs, randomization) are
// left out, so a task is found again after its list was rebuilt.
bool SameTask(const TaskRecord& a, const TaskRecord& b);

}  // namespace tidewell
