#include <cstdio>

#include "overview/description.h"
#include "overview/fill_message.h"
#include "overview/task_texts.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/list_order.h"
#include "timing/run_text.h"
#include "timing/unit_name.h"

namespace tidewell {
namespace {

std::string OnceText(std::vector<DateTime> times) {
    OrderTimes(times);
    if (times.size() == 1)
        return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_ONCE, RunInstantText(times.front()));
    std::string count = std::to_string(times.size());
    return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_SEVRAL_TIMES, count, DescribeOnceList(std::move(times)));
}

std::string QuantityText(int32_t quantity, TimeUnit unit) {
    return std::to_string(quantity) + " " + UnitName(unit);
}

std::string CountDownText(const ScheduleInfo& schedule) {
    std::string text = FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_COUNTDOWN, CountDownLengthText(schedule));
    if (!schedule.countDownRunning) text += " " + LoadMessage(IDS_KLN_PAUSED);
    return text;
}

std::string AtLogonText(const ScheduleInfo& schedule) {
    std::string wait;
    if (schedule.atLogonWait)
        wait = "(+" + QuantityText(schedule.atLogonWaitQuantity, schedule.atLogonWaitUnit) + ")";
    return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_AT_LOGON, wait);
}

}  // namespace

std::string CountDownLengthText(const ScheduleInfo& schedule) {
    int seconds = schedule.countDownSeconds;
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", seconds / 3600, seconds % 3600 / 60, seconds % 60);
    if (schedule.countDownDays <= 0) return clock;
    return std::to_string(schedule.countDownDays) + UnitName(TimeUnit::days) + " " + clock;
}

std::string StartEndLine(const ScheduleInfo& schedule) {
    std::string ending =
        schedule.haveEndingTime ? RunInstantText(schedule.endingTime) : LoadMessage(IDS_KLN_N_A);
    return LoadMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_START_END) + ": " +
           RunInstantText(schedule.startingTime) + " - " + ending;
}

std::string ScheduleText(const TaskRecord& task, const DescriptionOptions& options) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    switch (schedule.type) {
        case ScheduleType::daily:
            return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_DAILY, DescribeTimeList(schedule.daily));
        case ScheduleType::weekly:
            return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_WEEKLY, DescribeWeeklyList(schedule.weekly));
        case ScheduleType::monthly:
            return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_MONTHLY,
                               DescribeMonthList(schedule.monthly, options));
        case ScheduleType::yearly:
            return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_YEARLY,
                               DescribeMonthList(schedule.yearly, options));
        case ScheduleType::once: return OnceText(schedule.once);
        case ScheduleType::repeating:
            return FillMessage(IDS_TIDEWELL_SUMMARY_SCHEDULE_REPEATEDLY,
                               QuantityText(schedule.repeatQuantity, schedule.repeatUnit));
        case ScheduleType::countDown: return CountDownText(schedule);
        case ScheduleType::atLogon: return AtLogonText(schedule);
        case ScheduleType::placeholder: break;
    }
    return std::string(kFalseScheduleTypeText);
}

std::string ScheduleSectionText(const TaskRecord& task, const DescriptionOptions& options,
                                const DateTime& now) {
    if (!IsKnownScheduleType(task.scheduleInfo.type)) return std::string(kFalseScheduleTypeText);
    return TaskDescriptionText(task, options, now) + "\r\n" + StartEndLine(task.scheduleInfo);
}

TaskDescription DescribeTask(const TaskRecord& task, const DescriptionOptions& options,
                             const NextRunContext& context) {
    TaskDescription description;
    description.task = TaskSectionText(task);
    description.sound = SoundSectionText(task.soundInfo);
    description.schedule = ScheduleSectionText(task, options, context.clock.Now());
    description.randomization = RandomizationSectionText(task, context);
    description.waiting = WaitingSectionText(task.waitingInfo);
    return description;
}

}  // namespace tidewell
