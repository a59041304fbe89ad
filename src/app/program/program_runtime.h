#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "runtime/event_log.h"
#include "runtime/scheduler_ports.h"
#include "ui_ports/scheduler_view.h"

class QTimer;

namespace tidewell {

class AudioPort;
class CMainFrame;
class CTidewellApp;
class CTidewellDoc;
class Scheduler;
class SoundNoticePlayer;
class TaskExecutor;
struct ClockSyncOutcome;
struct TaskRecord;

// The scheduling side of the running program: the passes over the document's list, the
// executor with its windows, the sound notice player with its timers, the event log. Built
// once the frame exists; lives on the user-interface thread.
class ProgramRuntime final : public QObject, private SchedulerView {
public:
    ProgramRuntime(CTidewellApp& app, CTidewellDoc& doc, CMainFrame& frame, AudioPort& audio);
    ~ProgramRuntime() override;

    // The one-second pass, with the notice timers of the music and the tray.
    void CheckDueTasks();
    // The start-up pass, once, a second after the window was set up.
    void CheckAtLogonJob();
    // Whether the action started.
    bool RunTaskNow(TaskRecord& task);
    void StopCurrentSound();
    // The mute switch changed: the player follows it.
    void FollowMute();
    void LogEvent(const TaskRecord* task, EventKind kind);
    // Opens the event log, or says that none has been recorded.
    void ViewLog();

private:
    void RedrawRow(size_t index) override;
    void RedrawAll() override;
    void SaveViewTaskList() override;
    void SaveBeforeRuns(std::span<const size_t> claimed) override;
    void ClockSyncEnded(const ClockSyncOutcome& outcome);
    // Beeps need ticks finer than a second, only while they last.
    void StartBeepTicksIfNeeded();
    // Posts the failure once for the run of the program; `shown` remembers it.
    void TellOnce(bool& shown, const std::string& message);

    struct Parts;
    CTidewellApp& m_app;
    CTidewellDoc& m_doc;
    CMainFrame& m_frame;
    std::unique_ptr<Parts> m_parts;
    QTimer* m_beepTimer;
    bool m_logFailureShown = false;
    bool m_toneFailureShown = false;
};

}  // namespace tidewell
