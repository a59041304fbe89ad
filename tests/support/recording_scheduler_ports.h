#pragma once

#include <string>
#include <vector>

#include "runtime/scheduler_ports.h"

namespace tidewell::testing {

// Remembers the titles of the tasks run, in order.
class RecordingRunner final : public TaskRunner {
public:
    void RunTask(TaskRecord& task) override { titles.push_back(task.title); }
    std::vector<std::string> titles;
};

// Counts saves and redraws.
class RecordingView final : public SchedulerView {
public:
    void RedrawRow(size_t) override { ++rowRedraws; }
    void RedrawAll() override { ++fullRedraws; }
    void SaveViewTaskList() override { ++saves; }
    int rowRedraws = 0;
    int fullRedraws = 0;
    int saves = 0;
};

}  // namespace tidewell::testing
