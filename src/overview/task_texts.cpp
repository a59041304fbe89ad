#include "overview/task_texts.h"

#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/run_text.h"

namespace tidewell {

std::string TaskDescriptionText(const TaskRecord& task, const DescriptionOptions& options,
                                const DateTime& now) {
    return WithRandomizationMarker(ScheduleText(task, options), task, now);
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
