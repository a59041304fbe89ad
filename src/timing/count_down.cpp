#include "timing/count_down.h"

#include "timing/next_run.h"

namespace tidewell {
namespace {

void PauseCountDown(ScheduleInfo& schedule, const DateTime& now) {
    schedule.countDownRunning = false;
    if (schedule.startingTime.IsValid() && schedule.startingTime >= now) {
        const int64_t remaining = schedule.startingTime.Seconds() - now.Seconds();
        schedule.countDownDays = static_cast<int32_t>(remaining / kSecondsPerDay);
        schedule.countDownSeconds = static_cast<int32_t>(remaining % kSecondsPerDay);
    }
}

}  // namespace

void ToggleTaskEnabled(TaskRecord& task, const NextRunContext& context) {
    ScheduleInfo& schedule = task.scheduleInfo;
    const bool hasLength = schedule.countDownDays != 0 || schedule.countDownSeconds != 0;
    if (task.enabled && schedule.type == ScheduleType::countDown && schedule.countDownRunning && hasLength) {
        PauseCountDown(schedule, context.clock.Now());
    }
    task.enabled = !task.enabled;
    GetNextRunString(task, context);
}

bool PauseOrContinueCountDown(TaskRecord& task, const NextRunContext& context) {
    ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type != ScheduleType::countDown) return false;
    if (schedule.countDownRunning) {
        PauseCountDown(schedule, context.clock.Now());
    } else {
        schedule.countDownRunning = true;
        const int64_t length = int64_t{schedule.countDownDays} * kSecondsPerDay + schedule.countDownSeconds;
        schedule.startingTime = context.clock.Now() + TimeSpan::FromSeconds(length);
    }
    GetNextRunString(task, context);
    return true;
}

bool ClearAndStopCountDown(TaskRecord& task, const NextRunContext& context) {
    ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type != ScheduleType::countDown) return false;
    schedule.countDownRunning = true;
    schedule.countDownDays = 0;
    schedule.countDownSeconds = 0;
    schedule.startingTime = context.clock.Now() - TimeSpan::FromSeconds(1);
    GetNextRunString(task, context);
    return true;
}

}  // namespace tidewell
