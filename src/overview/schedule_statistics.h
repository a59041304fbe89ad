#pragma once

#include <array>
#include <string>

#include "model/task_list.h"

namespace tidewell {

// How many tasks each schedule type holds, and how many of them still have a next run.
struct ScheduleCounts {
    std::array<int, kScheduleTypeCount> total{};
    std::array<int, kScheduleTypeCount> active{};
};

// Placeholders are skipped; a task of an unknown schedule type is not counted.
ScheduleCounts CountSchedules(const TaskList& tasks);

// The Schedule Statistics report: a summary of all tasks (total, active, expired) and, when
// there are tasks, a breakdown by schedule type in code order listing only the types in use.
// Lines end in CR LF; there is no line break at the end.
std::string ScheduleStatistics(const TaskList& tasks);

}  // namespace tidewell
