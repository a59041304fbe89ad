#pragma once

#include <cstddef>

#include "model/task_record.h"

namespace tidewell {

// Carries out a task's action. RunTask shows what it shows and returns at once: windows it opens
// stay open while later passes go on.
class TaskRunner {
public:
    virtual ~TaskRunner() = default;
    virtual void RunTask(TaskRecord& task) = 0;
};

// What the scheduling passes ask of the task-list view.
class SchedulerView {
public:
    virtual ~SchedulerView() = default;
    virtual void RedrawRow(size_t index) = 0;
    virtual void RedrawAll() = 0;
    // Saves the list and clears its modified flag; a failure is reported by the view and retried
    // with the next change.
    virtual void SaveViewTaskList() = 0;
};

}  // namespace tidewell
