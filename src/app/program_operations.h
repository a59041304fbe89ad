#pragma once

#include <QPointer>
#include <memory>

#include "app/clock_sync_dialog.h"
#include "app/frame_operations.h"
#include "app/program_runtime.h"
#include "platform/posix_network.h"
#include "platform/system_clock_setter.h"
#include "platform/system_time_zone.h"

namespace tidewell {

class CTidewellApp;
class QuickViewWindow;
class TaskFinder;

// The program's own operations behind the main window's commands and timers. Those not built
// yet only note in the program's diagnostic output that they were asked for.
class ProgramOperations final : public FrameOperations {
public:
    explicit ProgramOperations(CTidewellApp& app);
    ~ProgramOperations() override;

    // The schedule sheet the Clock Synchronization dialog opens when its automatic box is
    // switched on; without one the built-in task is enabled as it is.
    void SetClockSyncScheduleEditor(ClockSyncScheduleEditor editor) {
        m_editClockSyncSchedule = std::move(editor);
    }
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
    TaskFinder* Finder(TaskList& list);

    CTidewellApp& m_app;
    std::unique_ptr<TaskFinder> m_finder;
    QPointer<QuickViewWindow> m_quickView;
    ClockSyncScheduleEditor m_editClockSyncSchedule;
    PosixNetwork m_network;
    SystemClockSetter m_clockSetter;
    SystemTimeZone m_timeZone;
    std::unique_ptr<ProgramRuntime> m_runtime;
};

}  // namespace tidewell
