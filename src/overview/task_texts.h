#pragma once

#include <string>

#include "model/task_record.h"
#include "overview/description.h"
#include "time/date_time.h"

namespace tidewell {

// The Description column of a task: its schedule text with the randomization marker as of now.
// The list, Quick View and the schedule section of the description all take it from here.
std::string TaskDescriptionText(const TaskRecord& task, const DescriptionOptions& options,
                                const DateTime& now);

// The Last Run column: the instant of the last run, or "Never".
std::string LastRunText(const TaskRecord& task);

// The Status column: enabled or disabled, with the paused marker of a stopped count-down.
std::string TaskStatusText(const TaskRecord& task);

}  // namespace tidewell
