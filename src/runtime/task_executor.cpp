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

void TaskExecutor::RunTask(TaskRecord& task) {
    if (IsPlaceholderTask(task)) {
        return;
    }
    // A sound that cannot play leaves the run alone: the action matters more than its notice.
    static_cast<void>(StartRunNotices(m_ports.player, task, m_context.monotonicNow()));
    bool logNow = true;
    switch (task.taskInfo.taskType) {
        case TaskType::program: logNow = RunProgram(task); break;
        case TaskType::macro: logNow = RunMacro(task); break;
        case TaskType::notice: logNow = ShowNotice(task); break;
        case TaskType::windowsOperation: logNow = RunWindowsOperation(task); break;
    }
    if (logNow) {
        LogRun(task);
    }
}

bool TaskExecutor::RunProgram(const TaskRecord& task) {
    const std::string& path = task.taskInfo.programPath;
    if (IsLinkPath(path)) {
        ShowLaunchFailure(m_ports.launcher.Open(path));
        return true;
    }
    if (!SomethingExistsAt(path)) {
        ShowProgramNotValid(path);
        return false;
    }
    // Documents and folders go to the desktop's opener, which takes no parameters.
    const Result launched =
        IsExecutableFile(path)
            ? m_ports.launcher.Start(ProgramToStart(path), task.taskInfo.parameter, WorkingFolderOf(path))
            : m_ports.launcher.Open(path);
    ShowLaunchFailure(launched);
    return true;
}

bool TaskExecutor::RunMacro(const TaskRecord& task) {
    if (m_context.peEdition) {
        return true;
    }
    const TaskInfo& info = task.taskInfo;
    ShowLaunchFailure(m_ports.launcher.Start(MacroEnginePath(m_context.programFolder),
                                             MacroEngineParameters(info.macroPath, info.macroPassword),
                                             m_context.programFolder));
    return true;
}

bool TaskExecutor::ShowNotice(const TaskRecord& task) {
    if (task.taskInfo.noticeMsg.empty()) {
        return true;
    }
    const std::string caption =
        FillStrings(kNoticeCaptionFormat, {LoadMessage(IDS_MESSAGE_SCHEDULE_NOTICE), task.title});
    m_ports.noticeWindow.ShowNotice(caption, task.taskInfo.noticeMsg,
                                    [self = std::weak_ptr<TaskExecutor*>(m_self)] {
                                        if (const auto executor = self.lock()) {
                                            (*executor)->m_ports.player.StopCurrentSound();
                                        }
                                    });
    return true;
}

void TaskExecutor::ShowProgramNotValid(const std::string& path) {
    SettingsPort& settings = m_ports.settings;
    if (settings.ReadSettingInt(app_keys::kConfigSection, app_keys::kFileReminder, 1) != 1) {
        return;
    }
    bool showNextTime = true;
    m_ports.messageBox.ShowMessageBox(
        FillStrings(kProgramNotValidFormat, {LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID), path}),
        LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION, {}, &showNextTime);
    if (!showNextTime) {
        settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kFileReminder, 0);
    }
}

void TaskExecutor::ShowLaunchFailure(const Result& launched) {
    if (!launched) {
        m_ports.messageBox.ShowMessageBox(launched.message(), LoadMessage(IDS_KLN_ERROR),
                                          MB_OK | MB_ICONERROR);
    }
}

void TaskExecutor::LogRun(const TaskRecord& task) {
    // A log line that cannot be written does not undo the run.
    static_cast<void>(m_ports.eventLog.LogEvent(&task, EventKind::taskRun));
}

}  // namespace tidewell
