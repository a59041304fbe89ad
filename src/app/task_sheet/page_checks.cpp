#include "app/task_sheet/page_checks.h"

#include "model/task_compare.h"
#include "timing/validation.h"

namespace tidewell {
namespace {

// A title, a task and a schedule that no rule refuses.
constexpr char kNeutralTitle = '-';

void NeutralAction(TaskRecord& task) {
    task.title.assign(1, kNeutralTitle);
    task.taskInfo.taskType = TaskType::notice;
}

void NeutralSound(TaskRecord& task) {
    task.soundInfo.noticeSound = false;
}

// A count-down has neither a list nor an ending-time rule.
void NeutralSchedule(TaskRecord& task) {
    task.scheduleInfo.type = ScheduleType::countDown;
}

ValidationOptions EditorOptions(bool macroChecking) {
    ValidationOptions options;
    options.macroChecking = macroChecking;
    return options;
}

}  // namespace

std::string PartProblems(const TaskRecord& task, TaskPart part, bool macroChecking) {
    TaskRecord probe = task;
    if (part != TaskPart::action) NeutralAction(probe);
    if (part != TaskPart::sound) NeutralSound(probe);
    if (part != TaskPart::schedule) NeutralSchedule(probe);
    return ValidateTask(probe, EditorOptions(macroChecking)).message;
}

std::string TaskProblems(TaskRecord& task, bool macroChecking) {
    return ValidateTask(task, EditorOptions(macroChecking)).message;
}

bool TaskEdited(const TaskRecord& before, const TaskRecord& after) {
    const RandomizationInfo& a = before.randomizationInfo;
    const RandomizationInfo& b = after.randomizationInfo;
    const bool randomChanged = a.enable != b.enable || a.adjustValidRp != b.adjustValidRp ||
                               a.rpTotalSeconds != b.rpTotalSeconds || a.decidedTime != b.decidedTime;
    const bool waitingChanged = before.waitingInfo.quantity != after.waitingInfo.quantity ||
                                before.waitingInfo.unit != after.waitingInfo.unit;
    return !SameTask(before, after) || randomChanged || waitingChanged;
}

}  // namespace tidewell
