#pragma once

#include <string>

#include "model/task_record.h"
#include "overview/description.h"
#include "time/date_time.h"

namespace tidewell {

// The Description column of a task. The list takes every description from here.
std::string TaskDescriptionText(const TaskRecord& task, const DescriptionOptions& options);

// The Last Run column: the instant of the last run, or "Never".
std::string LastRunText(const TaskRecord& task);

// The Status column: enabled or disabled, with the paused marker of a stopped count-down.
std::string TaskStatusText(const TaskRecord& task);

}  // namespace tidewell
