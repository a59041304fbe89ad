#pragma once

#include <cstddef>
#include <span>

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
    // Makes the claims of the tasks at `claimed` (their last runs) durable before returning: a
    // pass calls it before it starts them, so that a crash never leads to a run made twice. The
    // pass saves the list with SaveViewTaskList once the runs have started.
    virtual void SaveBeforeRuns(std::span<const size_t> /*claimed*/) { SaveViewTaskList(); }
};

}  // namespace tidewell
