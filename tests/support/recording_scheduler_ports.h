#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "runtime/scheduler_ports.h"
#include "ui_ports/scheduler_view.h"

namespace tidewell::testing {

// Remembers the titles of the tasks run, in order; a title in `failing` does not start.
// `onRun`, when set, is called inside each run that starts.
class RecordingRunner final : public TaskRunner {
public:
    bool RunTask(TaskRecord& task) override {
        if (failing.count(task.title) != 0) return false;
        titles.push_back(task.title);
        if (onRun) onRun();
        return true;
    }
    std::vector<std::string> titles;
    std::set<std::string> failing;
    std::function<void()> onRun;
};

// A view that draws and saves nothing.
class QuietView final : public SchedulerView {
public:
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveViewTaskList() override {}
};

}  // namespace tidewell::testing
