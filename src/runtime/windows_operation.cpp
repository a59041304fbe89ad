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

TaskExecutor::Launch TaskExecutor::RunWindowsOperation(TaskRecord& task) {
    TaskInfo& info = task.taskInfo;
    if (info.swoType == WindowsOperation::clockSynchronization) {
        const std::vector<std::string> names =
            m_context.timeServerNames ? m_context.timeServerNames() : std::vector<std::string>();
        // The synchronization reports its own outcome when it ends.
        const bool started = m_context.synchronizeClock &&
                             m_context.synchronizeClock(ChooseTimeServerName(info.programPath, names));
        return started ? Launch::startedLogNow : Launch::failed;
    }
    if (!PowerOperationOf(info.swoType)) {
        return Launch::startedLogNow;  // switch user, or a code no operation has
    }
    if (info.swoWaitingTime > kMaxOperationWaitingTime) {
        info.swoWaitingTime = kDefaultOperationWaitingTime;
    }
    if (info.swoWaitingTime <= 0) {
        return PerformTaskOperation(task) ? Launch::performed : Launch::failed;
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
            if (!(*executor)->PerformTaskOperation(task)) {
                (*executor)->LogEvent(task, EventKind::taskNotRun);
            }
        });
    return Launch::startedLogLater;
}

bool TaskExecutor::PerformTaskOperation(const TaskRecord& task) {
    // The runs started before it, and this one, are logged before the system is asked: once it
    // is, the session may end at any moment.
    TellHeldRuns();
    m_ports.player.StopCurrentSound();
    LogEvent(task, EventKind::taskRun);
    return PerformWindowsOperation(task.taskInfo.swoType, task.taskInfo.swoForce);
}

bool TaskExecutor::PerformWindowsOperation(WindowsOperation operation, bool force) {
    if (operation == WindowsOperation::clockSynchronization) {
        MessageBoxCall call;
        call.text = LoadMessage(IDS_DIALOG_TCS_TITLE);
        call.caption = LoadMessage(IDS_KLN_TIDEWELL);
        m_ports.messageBox.PostMessageBox(std::move(call));
        return true;
    }
    const std::optional<PowerOperation> power = PowerOperationOf(operation);
    if (!power) {
        return true;
    }
    if (m_context.setAutoStartEntry) {
        m_context.setAutoStartEntry();
    }
    const Result performed = m_ports.power.Perform(*power, force);
    if (!performed) {
        PostError(performed.message());
    }
    return performed.ok();
}

}  // namespace tidewell
