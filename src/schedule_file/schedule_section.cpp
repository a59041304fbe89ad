#include "schedule_file/schedule_section.h"

#include "crypto/macro_password_codec.h"
#include "schedule_file/schedule_keys.h"
#include "schedule_file/schedule_lists.h"
#include "timing/list_order.h"
#include "timing/sub_repeat.h"

namespace tidewell {
namespace {

namespace keys = schedule_keys;

// Defaults of keys missing from a file (a new task's defaults differ).
constexpr int kLoadTaskType = 2;
constexpr int kLoadBeepLength = 1000;
constexpr int kLoadBeepDelay = 1000;
constexpr int kLoadDecidedTime = 1;
constexpr int kLoadWaitingQuantity = 10;
constexpr int kLoadWaitingUnit = 1;
constexpr bool kLoadHaveTime = true;  // the three "SchI Have ... Time" flags

// The keys of one section as they are written.
class SectionOut {
public:
    explicit SectionOut(SettingsTextWriter& document) : m_document(document) {}
    void Text(std::string_view key, std::string_view value) { m_document.WriteString(key, value); }
    void Int(std::string_view key, int value) { m_document.WriteInt(key, value); }
    void Bool(std::string_view key, bool value) { m_document.WriteBool(key, value); }
    void Time(std::string_view key, const DateTime& value) { Text(key, value.Format(kStorageFormat)); }

private:
    SettingsTextWriter& m_document;
};

// The keys of one section as they are read, with their defaults.
class SectionIn {
public:
    explicit SectionIn(SettingsText::SectionReader reader) : m_reader(reader) {}
    bool Has(std::string_view key) const {
        std::string ignored;
        return m_reader.ReadString(key, {}, ignored);
    }
    std::string Text(std::string_view key) const {
        std::string value;
        m_reader.ReadString(key, {}, value);
        return value;
    }
    int Int(std::string_view key, int defaultValue) const {
        int value = defaultValue;
        m_reader.ReadInt(key, defaultValue, value);
        return value;
    }
    bool Bool(std::string_view key, bool defaultValue) const {
        bool value = defaultValue;
        m_reader.ReadBool(key, defaultValue, value);
        return value;
    }
    // A missing or unreadable time is an invalid date-time, never a failure.
    DateTime Time(std::string_view key) const {
        std::string value;
        if (!m_reader.ReadString(key, {}, value)) return DateTime::Invalid();
        return ParseDateTime(value);
    }

private:
    SettingsText::SectionReader m_reader;
};

void WriteAction(SectionOut& out, TaskRecord& task, bool peEdition) {
    TaskInfo& info = task.taskInfo;
    out.Int(keys::kTaskType, static_cast<int>(info.taskType));
    switch (info.taskType) {
        case TaskType::program:
            out.Text(keys::kProgramPath, info.programPath);
            out.Text(keys::kParameter, info.parameter);
            break;
        case TaskType::macro:
            if (peEdition) break;
            out.Text(keys::kMacroPath, info.macroPath);
            out.Text(keys::kMacroPassword, EncodeMacroPassword(info.macroPassword));
            break;
        case TaskType::notice: out.Text(keys::kNoticeMsg, info.noticeMsg); break;
        case TaskType::windowsOperation:
            out.Text(keys::kSwoType, WindowsOperationName(info.swoType));
            out.Bool(keys::kSwoForce, info.swoForce);
            if (info.swoWaitingTime > kMaxOperationWaitingTime)
                info.swoWaitingTime = kDefaultOperationWaitingTime;
            out.Int(keys::kSwoWaitingTime, info.swoWaitingTime);
            break;
    }
}

void WriteSound(SectionOut& out, const SoundInfo& sound) {
    out.Bool(keys::kNoticeSound, sound.noticeSound);
    if (!sound.noticeSound) return;
    out.Int(keys::kSoundType, sound.type);
    out.Int(keys::kSoundDuration, sound.duration);
    if (sound.type == 0) {
        out.Int(keys::kBeepFrequency, sound.beepFrequency);
        out.Int(keys::kBeepBeep, sound.beepBeep);
        out.Int(keys::kBeepDelay, sound.beepDelay);
    } else {
        out.Text(keys::kMusicFilePath, sound.musicFilePath);
    }
}

void WriteRandomAndWaiting(SectionOut& out, const TaskRecord& task) {
    const RandomizationInfo& random = task.randomizationInfo;
    out.Bool(keys::kRandomEnable, random.enable);
    out.Bool(keys::kRandomAdjustValid, random.adjustValidRp);
    out.Int(keys::kRandomPeriod, random.rpTotalSeconds);
    out.Int(keys::kRandomDecidedTime, random.decidedTime);
    out.Bool(keys::kRandomFinalSet, random.finalSet);
    out.Time(keys::kRandomFinalTime, random.finalTime);
    out.Bool(keys::kRandomOverTime, random.overTime);
    out.Int(keys::kWaitingQuantity, task.waitingInfo.quantity);
    out.Int(keys::kWaitingUnit, static_cast<int>(task.waitingInfo.unit));
}

void WriteSchedule(SectionOut& out, ScheduleInfo& schedule) {
    out.Time(keys::kStartingTime, schedule.startingTime);
    out.Bool(keys::kHaveEndingTime, schedule.haveEndingTime);
    if (schedule.haveEndingTime) out.Time(keys::kEndingTime, schedule.endingTime);
    out.Bool(keys::kHaveNextRunTime, schedule.haveNextRunTime);
    if (schedule.haveNextRunTime && schedule.nextRunTime.IsValid())
        out.Time(keys::kNextRunTime, schedule.nextRunTime);
    out.Bool(keys::kHaveLastRunTime, schedule.haveLastRunTime);
    if (schedule.haveLastRunTime) out.Time(keys::kLastRunTime, schedule.lastRunTime);
    switch (schedule.type) {
        case ScheduleType::daily:
            OrderTimes(schedule.daily);
            out.Text(keys::kDaily, DailyListText(schedule.daily));
            break;
        case ScheduleType::weekly:
            OrderWeekly(schedule.weekly);
            out.Text(keys::kWeekly, WeeklyListText(schedule.weekly));
            break;
        case ScheduleType::monthly:
            OrderMonthList(schedule.monthly);
            out.Text(keys::kMonthly, MonthListText(schedule.monthly));
            break;
        case ScheduleType::yearly:
            OrderMonthList(schedule.yearly);
            out.Text(keys::kYearly, MonthListText(schedule.yearly));
            break;
        case ScheduleType::once:
            OrderTimes(schedule.once);
            out.Text(keys::kOnce, OnceListText(schedule.once));
            break;
        case ScheduleType::repeating:
            out.Int(keys::kRepeatQuantity, schedule.repeatQuantity);
            out.Int(keys::kRepeatUnit, static_cast<int>(schedule.repeatUnit));
            break;
        case ScheduleType::countDown:
            out.Bool(keys::kCountDownShowDays, schedule.countDownShowDays);
            out.Bool(keys::kCountDownRunning, schedule.countDownRunning);
            out.Int(keys::kCountDownDays, schedule.countDownDays);
            out.Int(keys::kCountDownSeconds, schedule.countDownSeconds);
            break;
        case ScheduleType::atLogon:
            out.Bool(keys::kAtLogonWait, schedule.atLogonWait);
            out.Int(keys::kAtLogonWaitQuantity, schedule.atLogonWaitQuantity);
            out.Int(keys::kAtLogonWaitUnit, static_cast<int>(schedule.atLogonWaitUnit));
            break;
        case ScheduleType::placeholder: break;
    }
}

void ReadAction(const SectionIn& in, TaskInfo& info) {
    int type = in.Int(keys::kTaskType, kLoadTaskType);
    info.taskType = static_cast<TaskType>(type < 0 || type > 3 ? kLoadTaskType : type);
    info.programPath = in.Text(keys::kProgramPath);
    info.parameter = in.Text(keys::kParameter);
    info.macroPath = in.Text(keys::kMacroPath);
    info.macroPassword = DecodeMacroPassword(in.Text(keys::kMacroPassword));
    info.noticeMsg = in.Text(keys::kNoticeMsg);
    if (std::optional<WindowsOperation> operation = WindowsOperationFromName(in.Text(keys::kSwoType))) {
        info.swoType = *operation;
    }
    info.swoForce = in.Bool(keys::kSwoForce, true);
    info.swoWaitingTime = in.Int(keys::kSwoWaitingTime, kDefaultOperationWaitingTime);
    if (info.swoWaitingTime > kMaxOperationWaitingTime) info.swoWaitingTime = kDefaultOperationWaitingTime;
}

void ReadSound(const SectionIn& in, SoundInfo& sound) {
    sound.noticeSound = in.Bool(keys::kNoticeSound, true);
    sound.type = in.Int(keys::kSoundType, 0);
    sound.duration = in.Int(keys::kSoundDuration, 60);
    sound.beepFrequency = in.Int(keys::kBeepFrequency, 2000);
    sound.beepBeep = in.Int(keys::kBeepBeep, kLoadBeepLength);
    sound.beepDelay = in.Int(keys::kBeepDelay, kLoadBeepDelay);
    sound.musicFilePath = in.Text(keys::kMusicFilePath);
}

void ReadRandomAndWaiting(const SectionIn& in, TaskRecord& task) {
    RandomizationInfo& random = task.randomizationInfo;
    random.enable = in.Bool(keys::kRandomEnable, false);
    random.adjustValidRp = in.Bool(keys::kRandomAdjustValid, true);
    random.rpTotalSeconds = in.Int(keys::kRandomPeriod, 1800);
    random.decidedTime = in.Int(keys::kRandomDecidedTime, kLoadDecidedTime);
    random.finalSet = in.Bool(keys::kRandomFinalSet, false);
    random.finalTime = in.Time(keys::kRandomFinalTime);
    random.overTime = in.Bool(keys::kRandomOverTime, false);
    task.waitingInfo.quantity = in.Int(keys::kWaitingQuantity, kLoadWaitingQuantity);
    task.waitingInfo.unit = static_cast<TimeUnit>(in.Int(keys::kWaitingUnit, kLoadWaitingUnit));
}

// The list of the task's own schedule type; false when it yields no entry.
bool ReadScheduleList(const SectionIn& in, ScheduleInfo& schedule) {
    switch (schedule.type) {
        case ScheduleType::daily:
            schedule.daily = ReadDailyList(in.Text(keys::kDaily));
            schedule.dailyRepeats.assign(schedule.daily.size(), DefaultSubRepeat(ScheduleType::daily));
            return !schedule.daily.empty();
        case ScheduleType::weekly:
            schedule.weekly = ReadWeeklyList(in.Text(keys::kWeekly));
            OrderWeekly(schedule.weekly);
            return !schedule.weekly.empty();
        case ScheduleType::monthly:
            schedule.monthly = ReadMonthList(in.Text(keys::kMonthly));
            return !schedule.monthly.empty();
        case ScheduleType::yearly:
            schedule.yearly = ReadMonthList(in.Text(keys::kYearly));
            return !schedule.yearly.empty();
        case ScheduleType::once:
            schedule.once = ReadOnceList(in.Text(keys::kOnce));
            return !schedule.once.empty();
        default: return true;
    }
}

void ReadSchedule(const SectionIn& in, ScheduleInfo& schedule) {
    schedule.startingTime = in.Time(keys::kStartingTime);
    schedule.haveEndingTime = in.Bool(keys::kHaveEndingTime, kLoadHaveTime);
    schedule.endingTime = in.Time(keys::kEndingTime);
    schedule.haveNextRunTime = in.Bool(keys::kHaveNextRunTime, kLoadHaveTime);
    schedule.nextRunTime = in.Time(keys::kNextRunTime);
    schedule.haveLastRunTime = in.Bool(keys::kHaveLastRunTime, kLoadHaveTime);
    schedule.lastRunTime = in.Time(keys::kLastRunTime);
    schedule.repeatQuantity = in.Int(keys::kRepeatQuantity, 0);
    schedule.repeatUnit = static_cast<TimeUnit>(in.Int(keys::kRepeatUnit, 0));
    schedule.countDownShowDays = in.Bool(keys::kCountDownShowDays, false);
    schedule.countDownRunning = in.Bool(keys::kCountDownRunning, true);
    schedule.countDownDays = in.Int(keys::kCountDownDays, 0);
    schedule.countDownSeconds = in.Int(keys::kCountDownSeconds, 0);
    schedule.atLogonWait = in.Bool(keys::kAtLogonWait, false);
    schedule.atLogonWaitQuantity = in.Int(keys::kAtLogonWaitQuantity, 3);
    schedule.atLogonWaitUnit = static_cast<TimeUnit>(in.Int(keys::kAtLogonWaitUnit, 1));
}

}  // namespace

void WriteTaskSection(SettingsTextWriter& document, const std::string& section, TaskRecord& task,
                      bool peEdition) {
    document.AddSection(section);
    SectionOut out(document);
    out.Text(keys::kTitle, CutTitle(task.title));
    out.Text(keys::kComment, task.comment);
    out.Int(keys::kStatus, task.status);
    out.Bool(keys::kEnabled, task.enabled);
    WriteAction(out, task, peEdition);
    WriteSound(out, task.soundInfo);
    WriteRandomAndWaiting(out, task);
    WriteSchedule(out, task.scheduleInfo);
}

SectionRead ReadTaskSection(const SettingsText& document, const std::string& section, TaskRecord& task) {
    const SectionIn in(document.ReadSection(section));
    if (!in.Has(keys::kTitle) && !in.Has(keys::kComment) && !in.Has(keys::kStatus))
        return SectionRead::missing;
    task.title = CutTitle(in.Text(keys::kTitle));
    task.comment = in.Text(keys::kComment);
    task.status = in.Int(keys::kStatus, 0);
    task.enabled = in.Bool(keys::kEnabled, true);
    ReadAction(in, task.taskInfo);
    ReadSound(in, task.soundInfo);
    ReadRandomAndWaiting(in, task);
    ReadSchedule(in, task.scheduleInfo);
    return ReadScheduleList(in, task.scheduleInfo) ? SectionRead::read : SectionRead::listFailed;
}

}  // namespace tidewell
