#include "app/task_texts.h"

#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/run_text.h"

namespace tidewell {
namespace {

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

}  // namespace

std::string TaskDescriptionText(const TaskRecord& task) {
    const TaskInfo& info = task.taskInfo;
    switch (info.taskType) {
        case TaskType::program:
            return info.parameter.empty() ? info.programPath : info.programPath + " " + info.parameter;
        case TaskType::macro: return info.macroPath;
        case TaskType::notice: return FirstLine(info.noticeMsg);
        case TaskType::windowsOperation:
            return LoadMessageLine(IDS_TIDEWELL_TTS_OPERATION_LIST, static_cast<std::size_t>(info.swoType));
    }
    return {};
}

std::string LastRunText(const TaskRecord& task) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (!schedule.haveLastRunTime || !schedule.lastRunTime.IsValid()) return NeverText();
    return RunInstantText(schedule.lastRunTime);
}

std::string TaskStatusText(const TaskRecord& task) {
    std::string text = LoadMessage(task.enabled ? IDS_KLN_ENABLED : IDS_KLN_DISABLED);
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type == ScheduleType::countDown && !schedule.countDownRunning) {
        const std::string marker = LoadMessage(IDS_KLN_PAUSED);
        // A full-width bracket brings its own spacing.
        if (!marker.empty() && static_cast<unsigned char>(marker.front()) < 0x80) text += " ";
        text += marker;
    }
    return text;
}

}  // namespace tidewell
