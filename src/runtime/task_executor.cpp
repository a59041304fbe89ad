#include "runtime/task_executor.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "config/settings_keys.h"
#include "platform/linux_launcher.h"
#include "runtime/task_command_line.h"
#include "runtime/task_sound.h"
#include "text/messages.h"
#include "timing/validation.h"

namespace tidewell {

namespace {

// Files and folders alike; a link that leads nowhere has nothing at its end.
bool SomethingExistsAt(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

}  // namespace

TaskExecutor::TaskExecutor(TaskExecutorPorts ports, TaskExecutorContext context)
    : m_ports(ports), m_context(std::move(context)), m_self(std::make_shared<TaskExecutor*>(this)) {}

bool TaskExecutor::RunTask(TaskRecord& task) {
    if (IsPlaceholderTask(task)) {
        return false;
    }
    Launch launch = Launch::failed;
    switch (task.taskInfo.taskType) {
        case TaskType::program: launch = RunProgram(task); break;
        case TaskType::macro: launch = RunMacro(task); break;
        case TaskType::notice: launch = ShowNotice(task); break;
        case TaskType::windowsOperation: launch = RunWindowsOperation(task); break;
    }
    if (launch != Launch::performed) {
        Report(task, launch);
    }
    return launch != Launch::failed;
}

void TaskExecutor::Report(const TaskRecord& task, Launch launch) {
    if (m_holds > 0) {
        m_held.push_back({task, launch});
        return;
    }
    Tell(task, launch);
}

// The notices announce a run that has started; a sound that cannot play is told, and the run
// stands.
void TaskExecutor::Tell(const TaskRecord& task, Launch launch) {
    if (launch == Launch::failed) {
        LogEvent(task, EventKind::taskNotRun);
        return;
    }
    if (const Result sounded = StartRunNotices(m_ports.player, task, m_context.monotonicNow()); !sounded) {
        PostError(sounded.message());
    }
    if (launch == Launch::startedLogNow) {
        LogEvent(task, EventKind::taskRun);
    }
}

void TaskExecutor::TellHeldRuns() {
    for (const HeldRun& run : std::exchange(m_held, {})) {
        Tell(run.task, run.launch);
    }
}

TaskExecutor::Launch TaskExecutor::RunProgram(const TaskRecord& task) {
    const std::string& path = task.taskInfo.programPath;
    if (IsLinkPath(path)) {
        return Launched(m_ports.launcher.Open(path));
    }
    if (!SomethingExistsAt(path)) {
        ShowProgramNotValid(path);
        return Launch::failed;
    }
    // Documents and folders go to the desktop's opener, which takes no parameters.
    return Launched(
        IsExecutableFile(path)
            ? m_ports.launcher.Start(ProgramToStart(path), task.taskInfo.parameter, WorkingFolderOf(path))
            : m_ports.launcher.Open(path));
}

TaskExecutor::Launch TaskExecutor::RunMacro(const TaskRecord& task) {
    if (m_context.peEdition) {
        return Launch::startedLogNow;
    }
    const TaskInfo& info = task.taskInfo;
    return Launched(m_ports.launcher.Start(MacroEnginePath(m_context.programFolder),
                                           MacroEngineParameters(info.macroPath, info.macroPassword),
                                           m_context.programFolder));
}

TaskExecutor::Launch TaskExecutor::ShowNotice(const TaskRecord& task) {
    if (task.taskInfo.noticeMsg.empty()) {
        return Launch::startedLogNow;
    }
    const std::string caption =
        FillStrings(kNoticeCaptionFormat, {LoadMessage(IDS_MESSAGE_SCHEDULE_NOTICE), task.title});
    m_ports.noticeWindow.ShowNotice(caption, task.taskInfo.noticeMsg,
                                    [self = std::weak_ptr<TaskExecutor*>(m_self)] {
                                        if (const auto executor = self.lock()) {
                                            (*executor)->m_ports.player.StopCurrentSound();
                                        }
                                    });
    return Launch::startedLogNow;
}

// The reminder of a missing program is posted, never waited for: the pass goes on at once.
void TaskExecutor::ShowProgramNotValid(const std::string& path) {
    if (m_ports.settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kFileReminder, 1) != 1) {
        return;
    }
    MessageBoxCall call;
    call.text =
        FillStrings(kProgramNotValidFormat, {LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID), path});
    call.caption = LoadMessage(IDS_KLN_ERROR);
    call.style = MB_OK | MB_ICONEXCLAMATION;
    call.hasCheckBox = true;
    call.showNextTime = true;
    m_ports.messageBox.PostMessageBox(
        std::move(call), [self = std::weak_ptr<TaskExecutor*>(m_self)](const MessageBoxAnswer& answer) {
            const auto executor = self.lock();
            if (!executor || answer.showNextTime) {
                return;
            }
            if (!(*executor)->m_ports.settings.WriteSettingInt(app_keys::kConfigSection,
                                                               app_keys::kFileReminder, 0)) {
                // Not stored: the store has told the user once, and the choice holds in memory until exit.
            }
        });
}

TaskExecutor::Launch TaskExecutor::Launched(const Result& launched) {
    if (launched) {
        return Launch::startedLogNow;
    }
    PostError(launched.message());
    return Launch::failed;
}

void TaskExecutor::PostError(const std::string& text) {
    MessageBoxCall call;
    call.text = text;
    call.caption = LoadMessage(IDS_KLN_ERROR);
    call.style = MB_OK | MB_ICONERROR;
    m_ports.messageBox.PostMessageBox(std::move(call));
}

void TaskExecutor::LogEvent(const TaskRecord& task, EventKind kind) {
    // Reported once: a full disk or a lost folder would otherwise say so at every run.
    const Result logged = m_ports.eventLog.LogEvent(&task, kind);
    if (!logged && !m_logFailureShown) {
        m_logFailureShown = true;
        PostError(logged.message());
    }
}

}  // namespace tidewell
