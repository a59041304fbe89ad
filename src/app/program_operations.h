#pragma once

#include <memory>

#include "app/frame_operations.h"
#include "app/program_runtime.h"

namespace tidewell {

// The program's own operations behind the main window's commands and timers. Those not built
// yet only note in the program's diagnostic output that they were asked for.
class ProgramOperations final : public FrameOperations {
public:
    // The scheduling side, once the frame exists; until then the passes do nothing.
    void AttachRuntime(std::unique_ptr<ProgramRuntime> runtime) { m_runtime = std::move(runtime); }

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

private:
    std::unique_ptr<ProgramRuntime> m_runtime;
};

}  // namespace tidewell
