#include "timing/run_text.h"

#include <cstdio>

#include "base/text_util.h"
#include "text/messages.h"
#include "time/calendar.h"

namespace tidewell {
namespace {

// "%s(%s)": the at-logon text followed by its range.
std::string WithRange(const std::string& range) {
    return LoadMessage(IDS_TIDEWELL_VIEW_NEXT_LOGON) + "(" + range + ")";
}

std::string AtLogonText(const DateTime& now, const ScheduleInfo& schedule) {
    const DateTime& start = schedule.startingTime;
    if (schedule.haveEndingTime) {
        const DateTime& end = schedule.endingTime;
        if (now > end) return NeverText();
        if (now > start)
            return WithRange(
                ReplaceAll(LoadMessage(IDS_TIDEWELL_VIEW_BEFORE_TIME), "#1", ShortDateText(end)));
        std::string between = LoadMessage(IDS_TIDEWELL_VIEW_BETWEEN_TIME);
        between = ReplaceAll(between, "#1", ShortDateText(start));
        return WithRange(ReplaceAll(between, "#2", ShortDateText(end)));
    }
    if (now > start) return LoadMessage(IDS_TIDEWELL_VIEW_NEXT_LOGON);
    return WithRange(ReplaceAll(LoadMessage(IDS_TIDEWELL_VIEW_SINCE_TIME), "#1", ShortDateText(start)));
}

}  // namespace

std::string NeverText() {
    return LoadMessage(IDS_KLN_NEVER);
}

std::string RunInstantText(const DateTime& instant) {
    if (!instant.IsValid()) return "-";
    CivilDate date = DateOfDayNumber(instant.DayNumber());
    int second = instant.SecondOfDay();
    char text[48];
    std::snprintf(text, sizeof text, "%d-%d-%d %02d:%02d:%02d", date.month, date.day, date.year,
                  second / 3600, second % 3600 / 60, second % 60);
    return text;
}

std::string RunDateText(const DateTime& instant) {
    if (!instant.IsValid()) return "-";
    return std::to_string(instant.GetMonth()) + "-" + std::to_string(instant.GetDay()) + "-" +
           std::to_string(instant.GetYear());
}

std::string ShortDateText(const DateTime& instant) {
    if (!instant.IsValid()) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%d-%d-%02d", instant.GetMonth(), instant.GetDay(),
                  instant.GetYear() % 100);
    return text;
}

bool HasComingRun(const DateTime& now, const TaskRecord& task) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type == ScheduleType::atLogon) return !schedule.haveEndingTime || now <= schedule.endingTime;
    return schedule.haveNextRunTime;
}

std::string NextRunColumnText(const DateTime& now, const TaskRecord& task) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type == ScheduleType::atLogon) return AtLogonText(now, schedule);
    if (!schedule.haveNextRunTime) return NeverText();
    return RunInstantText(schedule.nextRunTime);
}

}  // namespace tidewell
