#include "model/task_defaults.h"

namespace tidewell {
namespace {

constexpr int64_t kSecondsPerWeek = 7 * 86400;

TaskType RememberedTaskType(const TaskDefaultsContext& context) {
    int code = context.settings.ReadSettingInt(kTaskSettingsSection, kLastTaskTypeValue, 0);
    if (code < 0 || code > 3) code = 0;
    if (context.peEdition && code == static_cast<int>(TaskType::macro)) code = 0;
    return static_cast<TaskType>(code);
}

int RememberedSoundType(const TaskDefaultsContext& context, TaskType taskType) {
    int code = context.settings.ReadSettingInt(kTaskSettingsSection, kLastSoundTypeValue, 0);
    bool canUse = code >= 0 && (taskType == TaskType::program || taskType == TaskType::macro);
    return canUse ? code : 0;
}

ScheduleType RememberedScheduleType(const TaskDefaultsContext& context) {
    int code = context.settings.ReadSettingInt(kTaskSettingsSection, kLastScheduleTypeValue, 4);
    if (code < 0 || code >= kScheduleTypeCount) code = static_cast<int>(ScheduleType::once);
    return static_cast<ScheduleType>(code);
}

}  // namespace

void ResetToDefaults(TaskRecord& task, const TaskDefaultsContext& context) {
    task = TaskRecord{};
    task.taskInfo.taskType = RememberedTaskType(context);
    task.soundInfo.type = RememberedSoundType(context, task.taskInfo.taskType);

    ScheduleInfo& schedule = task.scheduleInfo;
    schedule.type = RememberedScheduleType(context);
    DateTime now = context.clock.Now();
    schedule.startingTime = now;
    schedule.endingTime = now + TimeSpan::FromSeconds(kSecondsPerWeek);
    schedule.nextRunTime = now;
    schedule.lastRunTime = now;
    schedule.previousRunTime = now;
    // Everything else starts at the initialisers of the record, which are the
    // new-task defaults.
}

void MakeClockSyncTask(TaskRecord& task, const TaskDefaultsContext& context) {
    ResetToDefaults(task, context);
    task.isClockSyncTask = true;
    task.title = std::string(kClockSyncTaskTitle);
    task.enabled = false;
    task.taskInfo.taskType = TaskType::windowsOperation;
    task.taskInfo.swoType = WindowsOperation::clockSynchronization;
    task.taskInfo.swoForce = true;
    task.taskInfo.swoWaitingTime = kDefaultOperationWaitingTime;
    task.soundInfo.noticeSound = false;
    task.soundInfo.type = 0;
    task.soundInfo.duration = 60;
    task.soundInfo.beepFrequency = 2000;

    ScheduleInfo& schedule = task.scheduleInfo;
    schedule.type = ScheduleType::monthly;
    schedule.haveEndingTime = false;
    MonthlyItem firstTuesday;
    firstTuesday.everyMonth = true;
    firstTuesday.months.fill(true);
    firstTuesday.byDayNumber = false;
    firstTuesday.weekOrdinal = 1;
    firstTuesday.weekday = 1;
    firstTuesday.time = DateTime::FromParts(1899, 12, 30, 10, 0, 0);
    schedule.monthly = {firstTuesday};
}

Result RememberLastTypes(const TaskRecord& task, SettingsPort& settings) {
    return FirstFailure(
        {settings.WriteSettingInt(kTaskSettingsSection, kLastTaskTypeValue,
                                  static_cast<int>(task.taskInfo.taskType)),
         settings.WriteSettingInt(kTaskSettingsSection, kLastSoundTypeValue, task.soundInfo.type),
         settings.WriteSettingInt(kTaskSettingsSection, kLastScheduleTypeValue,
                                  static_cast<int>(task.scheduleInfo.type))});
}

}  // namespace tidewell
