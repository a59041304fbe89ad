#include "runtime/event_log.h"

#include <sys/stat.h>

#include "base/text_util.h"
#include "config/locations.h"
#include "runtime/log_line.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

constexpr std::string_view kTitlePlaceholder = "#1";

int32_t TaskEventMessage(const TaskRecord& task, EventKind kind) {
    switch (kind) {
        case EventKind::taskAdded: return IDS_TIDEWELL_LOG_ADD;
        case EventKind::taskModified: return IDS_TIDEWELL_LOG_MODIFY;
        case EventKind::taskDeleted: return IDS_TIDEWELL_LOG_DELETE;
        case EventKind::taskRun: return IDS_TIDEWELL_LOG_RUN;
        case EventKind::taskNotRun: return IDS_TIDEWELL_LOG_NOT_RUN;
        case EventKind::taskEnabledOrDisabled:
            return task.enabled ? IDS_TIDEWELL_LOG_ENABLE_TASK : IDS_TIDEWELL_LOG_DISABLE_TASK;
        default: return 0;
    }
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string EventText(const TaskRecord* task, EventKind kind, bool schedulingOn) {
    if (kind == EventKind::schedulingSwitched) {
        return LoadMessage(schedulingOn ? IDS_TIDEWELL_LOG_ENABLE_SCHEDULING
                                        : IDS_TIDEWELL_LOG_DISABLE_SCHEDULING);
    }
    if (kind == EventKind::passwordChanged) {
        return LoadMessage(IDS_TIDEWELL_LOG_PWDCHG);
    }
    if (task == nullptr) {
        return {};
    }
    const int32_t id = TaskEventMessage(*task, kind);
    return id == 0 ? std::string() : ReplaceAll(LoadMessage(id), kTitlePlaceholder, task->title);
}

EventLog::EventLog(std::string logFolder, const Clock& clock)
    : m_path(JoinPath(logFolder, kEventLogFileName)), m_clock(clock) {}

Result EventLog::LogEvent(const TaskRecord* task, EventKind kind, bool schedulingOn) const {
    const std::string text = EventText(task, kind, schedulingOn);
    if (text.empty()) {
        return Result::Ok();
    }
    return WriteLogLine(m_path, {}, text, m_clock.Now());
}

void EventLog::ViewLog(Launcher& launcher, MessageBoxService& messageBox) const {
    if (!IsRegularFile(m_path)) {
        messageBox.ShowMessageBox(LoadMessage(IDS_MESSAGE_NO_LOG_RECORDED), LoadMessage(IDS_KLN_TIDEWELL),
                                  MB_OK | MB_ICONINFORMATION);
        return;
    }
    const Result opened = launcher.Open(m_path);
    if (!opened) {
        messageBox.ShowMessageBox(opened.message(), LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONERROR);
    }
}

}  // namespace tidewell
