#pragma once

#include <cstddef>

namespace tidewell {

// What the scheduling passes ask of the task-list view.
class SchedulerView {
public:
    virtual ~SchedulerView() = default;
    virtual void RedrawRow(size_t index) = 0;
    virtual void RedrawAll() = 0;
    // Saves the list durably and clears its modified flag; a failure is reported by the view and
    // retried with the next change. A pass saves before it starts anything.
    virtual void SaveViewTaskList() = 0;
};

}  // namespace tidewell
