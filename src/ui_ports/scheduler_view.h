#pragma once

#include <cstddef>

namespace tidewell {

// What the scheduling passes ask of the task-list view.
class SchedulerView {
public:
    virtual ~SchedulerView() = default;
    virtual void RedrawRow(size_t index) = 0;
    virtual void RedrawAll() = 0;
    // Saves the list and clears its modified flag; a failure is reported by the view and retried
    // with the next change. The write may still be under way when this returns.
    virtual void SaveViewTaskList() = 0;
    // As SaveViewTaskList, but durable when it returns: a pass claims its due runs with this
    // save before it starts them, so that a crash never leads to a run made twice.
    virtual void SaveBeforeRuns() { SaveViewTaskList(); }
};

}  // namespace tidewell
