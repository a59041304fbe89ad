#pragma once

#include <memory>

#include "app/frame_operations.h"

namespace tidewell {

class CTidewellApp;
class TaskEditing;

// The program's own operations behind the main window's commands and timers. Those not built
// yet only note in the program's diagnostic output that they were asked for.
class ProgramOperations final : public FrameOperations {
public:
    explicit ProgramOperations(CTidewellApp& app);
    ~ProgramOperations() override;

    void RunTaskNow(TaskRecord& task) override;
    void AddTask(TaskList& list) override;
    void EditTask(TaskList& list, TaskRecord& task) override;
    void Find(TaskList& list) override;
    void FindNext(TaskList& list) override;
    void Options() override;
    void ClockSynchronization() override;
    void QuickView(TaskList& list) override;
    void Statistics(const TaskList& list) override;
    void ViewLog() override;
    void StopCurrentSound() override;
    void ResetSoundPlayer() override;
    void LogEvent(const TaskRecord* task, EventKind kind) override;
    void CheckDueTasks(TaskList& list) override;
    void CheckAtLogonJob(TaskList& list) override;

    // The schedule sheet of the built-in clock synchronization task, for the Clock
    // Synchronization dialog; true when it was changed.
    bool EditClockSyncSchedule();

private:
    CTidewellApp& m_app;
    std::unique_ptr<TaskEditing> m_editing;
};

}  // namespace tidewell
