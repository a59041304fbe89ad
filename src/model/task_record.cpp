#include "model/task_record.h"

namespace tidewell {

bool IsPlaceholderTask(const TaskRecord& task) {
    return task.title.empty() && task.status == kPlaceholderStatus &&
           task.scheduleInfo.type == ScheduleType::placeholder;
}

TaskRecord MakePlaceholderTask() {
    TaskRecord task;
    task.status = kPlaceholderStatus;
    task.scheduleInfo.type = ScheduleType::placeholder;
    return task;
}

std::string CutTitle(std::string_view title) {
    size_t characters = 0;
    for (size_t i = 0; i < title.size(); ++i) {
        // Count lead bytes only; continuation bytes belong to the character before.
        if ((static_cast<unsigned char>(title[i]) & 0xC0) != 0x80) {
            if (characters == kMaxTitleLength) return std::string(title.substr(0, i));
            ++characters;
        }
    }
    return std::string(title);
}

}  // namespace tidewell
