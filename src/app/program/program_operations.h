#pragma once

#include <QPointer>
#include <memory>

#include "app/dialogs/clock_sync_dialog.h"
#include "app/main_window/frame_operations.h"
#include "app/program/program_runtime.h"
#include "platform/posix_network.h"
#include "platform/sdl_audio.h"
#include "platform/system_clock_setter.h"
#include "platform/system_time_zone.h"

namespace tidewell {

class CTidewellApp;
class QuickViewWindow;
class TaskFinder;
class TaskEditing;

// The program's own operations behind the main window's commands and timers: the dialogs, and
// the scheduling side once the frame exists.
class ProgramOperations final : public FrameOperations {
public:
    explicit ProgramOperations(CTidewellApp& app);
    ~ProgramOperations() override;

    // The scheduling side starts once the frame exists (until then the passes do nothing) and
    // stops before the frame goes.
    void StartRuntime(CTidewellDoc& doc, CMainFrame& frame);
    void StopRuntime() { m_runtime.reset(); }

    bool RunTaskNow(TaskRecord& task) override;
    void AddTask(TaskList& list) override;
    void EditTask(TaskList& list, TaskRecord& task) override;
    void CopyTask(TaskList& list, TaskRecord& task) override;
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
    TaskFinder* Finder(TaskList& list);

    CTidewellApp& m_app;
    // One audio output for the whole program: the sheets' Try and the run notices.
    SdlAudio m_audio;
    std::unique_ptr<TaskEditing> m_editing;
    std::unique_ptr<TaskFinder> m_finder;
    QPointer<QuickViewWindow> m_quickView;
    // The Clock Synchronization dialog opens the built-in task's schedule sheet through it.
    ClockSyncScheduleEditor m_editClockSyncSchedule;
    PosixNetwork m_network;
    SystemClockSetter m_clockSetter;
    SystemTimeZone m_timeZone;
    std::unique_ptr<ProgramRuntime> m_runtime;
};

}  // namespace tidewell
