#pragma once

#include <string>

#include "model/task_record.h"

namespace tidewell {

// The part of a task that one page of the sheet edits.
enum class TaskPart { action, sound, schedule };

// The problems the task validation finds in one part of the task, as the editors see them
// (missing files are errors): the other parts are set to values that pass, so a page never
// refuses what another page holds. Empty when the part may be kept.
std::string PartProblems(const TaskRecord& task, TaskPart part, bool macroChecking);

// The whole task as the editors check it on OK; normalizes `task`. Empty when it may be kept.
std::string TaskProblems(TaskRecord& task, bool macroChecking);

// Whether a sheet changed what the user edits of a task: what it does, its sound, its
// schedule, its randomization settings and its waiting time.
bool TaskEdited(const TaskRecord& before, const TaskRecord& after);

}  // namespace tidewell
