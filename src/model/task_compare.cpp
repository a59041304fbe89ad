#include "model/task_compare.h"

#include <algorithm>

#include "model/list_entry_text.h"

namespace tidewell {
namespace {

template <typename Entry, typename TextOf>
bool SameEntries(const std::vector<Entry>& a, const std::vector<Entry>& b, TextOf textOf) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](const Entry& x, const Entry& y) { return textOf(x) == textOf(y); });
}

bool SameAction(const TaskInfo& a, const TaskInfo& b) {
    if (a.taskType != b.taskType) return false;
    switch (a.taskType) {
        case TaskType::program: return a.programPath == b.programPath && a.parameter == b.parameter;
        case TaskType::macro: return a.macroPath == b.macroPath && a.macroPassword == b.macroPassword;
        case TaskType::notice: return a.noticeMsg == b.noticeMsg;
        case TaskType::windowsOperation:
            return a.swoType == b.swoType && a.swoForce == b.swoForce && a.swoWaitingTime == b.swoWaitingTime;
    }
    return true;
}

// Only what the schedule file keeps is compared: a task read back from the
// file is the same task although its unused values took their defaults.
bool SameSound(const SoundInfo& a, const SoundInfo& b) {
    if (a.noticeSound != b.noticeSound) return false;
    if (!a.noticeSound) return true;
    if (a.type != b.type || a.duration != b.duration) return false;
    if (a.type != 0) return a.musicFilePath == b.musicFilePath;
    return a.beepFrequency == b.beepFrequency && a.beepBeep == b.beepBeep && a.beepDelay == b.beepDelay;
}

bool SameScheduleValues(const ScheduleInfo& a, const ScheduleInfo& b) {
    switch (a.type) {
        case ScheduleType::daily: return SameEntries(a.daily, b.daily, DailyEntryText);
        case ScheduleType::weekly: return SameEntries(a.weekly, b.weekly, WeeklyEntryText);
        case ScheduleType::monthly: return SameEntries(a.monthly, b.monthly, MonthlyEntryText);
        case ScheduleType::yearly: return SameEntries(a.yearly, b.yearly, MonthlyEntryText);
        case ScheduleType::once: return SameEntries(a.once, b.once, OnceEntryText);
        case ScheduleType::repeating:
            return a.repeatQuantity == b.repeatQuantity && a.repeatUnit == b.repeatUnit;
        case ScheduleType::countDown:
            return a.countDownShowDays == b.countDownShowDays && a.countDownDays == b.countDownDays &&
                   a.countDownSeconds == b.countDownSeconds;
        case ScheduleType::atLogon:
            return a.atLogonWait == b.atLogonWait && a.atLogonWaitQuantity == b.atLogonWaitQuantity &&
                   a.atLogonWaitUnit == b.atLogonWaitUnit;
        case ScheduleType::placeholder: return true;
    }
    return true;
}

bool SameSchedule(const ScheduleInfo& a, const ScheduleInfo& b) {
    if (a.type != b.type) return false;
    // Once and Count Down keep their own instants; their starting time is incidental.
    bool compareStart = a.type != ScheduleType::once && a.type != ScheduleType::countDown;
    if (compareStart && a.startingTime != b.startingTime) return false;
    if (a.haveEndingTime != b.haveEndingTime) return false;
    if (a.haveEndingTime && a.endingTime != b.endingTime) return false;
    return SameScheduleValues(a, b);
}

}  // namespace

void CopyTask(TaskRecord& target, const TaskRecord& source) {
    target = source;
}

bool SameTask(const TaskRecord& a, const TaskRecord& b) {
    return a.title == b.title && a.comment == b.comment && a.status == b.status && a.enabled == b.enabled &&
           SameAction(a.taskInfo, b.taskInfo) && SameSound(a.soundInfo, b.soundInfo) &&
           SameSchedule(a.scheduleInfo, b.scheduleInfo);
}

}  // namespace tidewell
