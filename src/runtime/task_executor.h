#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/task_record.h"
#include "platform/launcher.h"
#include "platform/power_control.h"
#include "platform/settings_port.h"
#include "runtime/event_log.h"
#include "runtime/scheduler_ports.h"
#include "runtime/sound_notice_player.h"
#include "ui_ports/countdown_window.h"
#include "ui_ports/message_box.h"
#include "ui_ports/notice_window.h"

namespace tidewell {

// What the executor uses of the outside world; all must outlive it.
struct TaskExecutorPorts {
    Launcher& launcher;
    PowerControl& power;
    SoundNoticePlayer& player;
    const EventLog& eventLog;
    SettingsPort& settings;  // the error reminder options
    MessageBoxService& messageBox;
    NoticeWindowService& noticeWindow;
    CountdownWindowService& countdownWindow;
};

// What the executor learns from the program that runs it.
struct TaskExecutorContext {
    bool peEdition = false;     // the edition without macro tasks
    std::string programFolder;  // where the macro engine is installed
    // The configured time server names, read when a clock synchronization task runs.
    std::function<std::vector<std::string>()> timeServerNames;
    // The unattended clock synchronization entry: starts a synchronization, shows nothing.
    std::function<bool(const std::string& serverName)> synchronizeClock;
    // Rewrites the auto-start entry, so that it matches the scheduling state before a system
    // operation may end the session.
    std::function<void()> setAutoStartEntry;
    // The monotonic instant the sound notices count from.
    std::function<MonotonicTime()> monotonicNow = [] { return std::chrono::steady_clock::now(); };
};

// Carries out tasks: the action of the task's type, then the tray and sound notices of a run that
// started, and the run event. Runs on the user-interface thread and never waits for a window or a
// message: a notice, a count-down or a failure is shown and RunTask returns, so every task due in
// the same second runs, in list order, whatever windows are open. A window that reports after the
// executor has gone is ignored.
class TaskExecutor final : public TaskRunner {
public:
    // While one lives, the notices and event-log lines of the runs wait, in their order, until it
    // ends: a pass starts all of its programs before it tells of any. A system operation performed
    // at once tells the waiting runs first.
    class HeldReports {
    public:
        explicit HeldReports(TaskExecutor& executor) : m_executor(executor) { ++m_executor.m_holds; }
        ~HeldReports() {
            if (--m_executor.m_holds == 0) m_executor.TellHeldRuns();
        }
        HeldReports(const HeldReports&) = delete;
        HeldReports& operator=(const HeldReports&) = delete;

    private:
        TaskExecutor& m_executor;
    };

    TaskExecutor(TaskExecutorPorts ports, TaskExecutorContext context);
    TaskExecutor(const TaskExecutor&) = delete;
    TaskExecutor& operator=(const TaskExecutor&) = delete;

    // A placeholder record does nothing. A system operation's waiting time above the limit is set
    // to the default in the record itself. A run that cannot start is reported, logged as such,
    // and returns false.
    bool RunTask(TaskRecord& task) override;

    // Performs a system operation 0..4 at once; switch user does nothing, and clock
    // synchronization, which goes elsewhere, only shows its name. The auto-start entry is
    // rewritten first; a refusal is posted in a message box, and false returned.
    bool PerformWindowsOperation(WindowsOperation operation, bool force);

private:
    // How the action of a run went.
    enum class Launch {
        failed,           // nothing started; the failure has been posted
        startedLogNow,    // started: notices now, the run logged now
        startedLogLater,  // a count-down started: notices now, the run logged when it ends
        performed,        // a system operation was asked for and logged: no notices any more
    };
    // A run's notices and log line, held while a HeldReports lives.
    struct HeldRun {
        TaskRecord task;
        Launch launch;
    };
    void Report(const TaskRecord& task, Launch launch);
    void Tell(const TaskRecord& task, Launch launch);
    void TellHeldRuns();

    Launch RunProgram(const TaskRecord& task);
    Launch RunMacro(const TaskRecord& task);
    Launch ShowNotice(const TaskRecord& task);
    Launch RunWindowsOperation(TaskRecord& task);

    void ShowProgramNotValid(const std::string& path);
    Launch Launched(const Result& launched);
    void PostError(const std::string& text);
    // The operation of a task whose count-down (if any) has ended without a cancel; false when
    // the system refused it.
    bool PerformTaskOperation(const TaskRecord& task);
    void LogEvent(const TaskRecord& task, EventKind kind);

    TaskExecutorPorts m_ports;
    TaskExecutorContext m_context;
    // Windows hold a weak reference: their late reports find it expired.
    std::shared_ptr<TaskExecutor*> m_self;
    bool m_logFailureShown = false;
    int m_holds = 0;
    std::vector<HeldRun> m_held;
};

}  // namespace tidewell
