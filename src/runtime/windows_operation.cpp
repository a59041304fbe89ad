#include <optional>

#include "runtime/task_executor.h"
#include "runtime/unattended_clock_sync.h"
#include "text/messages.h"

namespace tidewell {

namespace {

std::optional<PowerOperation> PowerOperationOf(WindowsOperation operation) {
    switch (operation) {
        case WindowsOperation::standBy: return PowerOperation::suspend;
        case WindowsOperation::hibernate: return PowerOperation::hibernate;
        case WindowsOperation::shutDown: return PowerOperation::powerOff;
        case WindowsOperation::reboot: return PowerOperation::reboot;
        case WindowsOperation::logOff: return PowerOperation::logOff;
        default: return std::nullopt;
    }
}

}  // namespace

bool TaskExecutor::RunWindowsOperation(TaskRecord& task) {
    TaskInfo& info = task.taskInfo;
    if (info.swoType == WindowsOperation::clockSynchronization) {
        const std::vector<std::string> names =
            m_context.timeServerNames ? m_context.timeServerNames() : std::vector<std::string>();
        if (m_context.synchronizeClock) {
            m_context.synchronizeClock(ChooseTimeServerName(info.programPath, names));
        }
        return true;
    }
    if (!PowerOperationOf(info.swoType)) {
        return true;  // switch user, or a code no operation has
    }
    if (info.swoWaitingTime > kMaxOperationWaitingTime) {
        info.swoWaitingTime = kDefaultOperationWaitingTime;
    }
    if (info.swoWaitingTime <= 0) {
        PerformTaskOperation(task);
        return false;
    }
    // The window reports later, when the list may have changed: it keeps a copy of the task.
    const CountdownRequest request{static_cast<int>(info.swoType), info.swoForce, info.swoWaitingTime};
    m_ports.countdownWindow.ShowCountdown(
        request, [self = std::weak_ptr<TaskExecutor*>(m_self), task](CountdownOutcome outcome) {
            const auto executor = self.lock();
            if (!executor) {
                return;
            }
            if (outcome == CountdownOutcome::cancelled) {
                (*executor)->m_ports.player.StopCurrentSound();
                return;
            }
            (*executor)->PerformTaskOperation(task);
        });
    return false;
}

void TaskExecutor::PerformTaskOperation(const TaskRecord& task) {
    m_ports.player.StopCurrentSound();
    // Logged before the system is asked: once it is, the session may end at any moment.
    LogRun(task);
    PerformWindowsOperation(task.taskInfo.swoType, task.taskInfo.swoForce);
}

void TaskExecutor::PerformWindowsOperation(WindowsOperation operation, bool force) {
    if (operation == WindowsOperation::clockSynchronization) {
        m_ports.messageBox.ShowMessageBox(LoadMessage(IDS_DIALOG_TCS_TITLE), LoadMessage(IDS_KLN_TIDEWELL));
        return;
    }
    const std::optional<PowerOperation> power = PowerOperationOf(operation);
    if (!power) {
        return;
    }
    if (m_context.setAutoStartEntry) {
        m_context.setAutoStartEntry();
    }
    const Result performed = m_ports.power.Perform(*power, force);
    if (!performed) {
        m_ports.messageBox.ShowMessageBox(performed.message(), LoadMessage(IDS_KLN_ERROR),
                                          MB_OK | MB_ICONERROR);
    }
}

}  // namespace tidewell
