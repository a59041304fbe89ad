#pragma once

#include "model/task_list.h"
#include "model/task_record.h"
#include "runtime/event_log.h"

namespace tidewell {

// What the main window's commands and timers reach in other parts of the program: the
// executors, the scheduling passes, the sound player, the event log and the dialogs of the
// wizard, options, find, clock synchronization, Quick View and statistics. The program passes
// its implementation to the frame; tests pass a recording one.
class FrameOperations {
public:
    virtual ~FrameOperations() = default;

    // Runs the task at once; its next and last runs stay as they are.
    // Whether the task's action started; a failure has been shown to the user.
    virtual bool RunTaskNow(TaskRecord& task) = 0;
    // The Add wizard for a new task, and the Edit wizard for a task of `list`.
    virtual void AddTask(TaskList& list) = 0;
    virtual void EditTask(TaskList& list, TaskRecord& task) = 0;
    // The Add wizard filled in with a copy of a task of `list`.
    virtual void CopyTask(TaskList& list, TaskRecord& task) = 0;
    virtual void Find(TaskList& list) = 0;
    virtual void FindNext(TaskList& list) = 0;
    virtual void Options() = 0;
    virtual void ClockSynchronization() = 0;
    virtual void QuickView(TaskList& list) = 0;
    virtual void Statistics(const TaskList& list) = 0;
    // Opens the event log, or says that none has been recorded.
    virtual void ViewLog() = 0;
    virtual void StopCurrentSound() = 0;
    // The mute switch changed: the player follows it, and stops what sounds when muted.
    virtual void ResetSoundPlayer() = 0;
    // One line of the event log; `task` is null for the kinds that take none.
    virtual void LogEvent(const TaskRecord* task, EventKind kind) = 0;
    // The one-second scheduling pass, and the catch-up pass once after start-up.
    virtual void CheckDueTasks(TaskList& list) = 0;
    virtual void CheckAtLogonJob(TaskList& list) = 0;
};

}  // namespace tidewell
