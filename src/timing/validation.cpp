#include "timing/validation.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "base/text_util.h"
#include "text/messages.h"
#include "timing/list_order.h"
#include "timing/randomization.h"

namespace tidewell {
namespace {

// Diagnostics for values no editor can produce, in English only.
constexpr const char* kFalseTaskType = "false task type.";
constexpr const char* kFalseSoundType = "false sound type.";
constexpr const char* kFalseScheduleType = "false schedule type.";
// One problem per paragraph; file problems name the path on an indented line.
constexpr const char* kParagraphEnd = "\r\n\r\n";
constexpr const char* kMacroExtension = "rwm";

constexpr const char* kBlanks = " \t\r\n";

std::string Trimmed(const std::string& text) {
    size_t begin = text.find_first_not_of(kBlanks);
    if (begin == std::string::npos) return {};
    size_t end = text.find_last_not_of(kBlanks);
    return text.substr(begin, end - begin + 1);
}

template <typename Number>
void Clamp(Number& value, Number low, Number high) {
    value = std::clamp(value, low, high);
}

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lowered;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

bool IsMacroFile(const std::string& path) {
    std::error_code error;
    bool isFolder = std::filesystem::is_directory(path, error);
    std::string lowered = Lowered(path);
    bool rightExtension = lowered.size() >= 3 && lowered.compare(lowered.size() - 3, 3, kMacroExtension) == 0;
    return FileExists(path) && !isFolder && rightExtension;
}

class Problems {
public:
    void Error(const std::string& text) { m_errors += text + kParagraphEnd; }
    void FileError(const std::string& text, const std::string& path) {
        m_errors += FileParagraph(text, path);
    }
    void FileWarning(const std::string& text, const std::string& path) {
        m_warnings += FileParagraph(text, path);
    }

    ValidationResult Result(bool loadMode) const {
        if (!loadMode) return {m_errors.empty(), WithoutLastBreak(m_errors)};
        if (!m_errors.empty()) return {false, WithoutLastBreak(m_errors)};
        return {true, WithoutLastBreak(m_warnings)};
    }

private:
    static std::string FileParagraph(const std::string& text, const std::string& path) {
        return text + kParagraphEnd + "\t" + path + kParagraphEnd;
    }
    static std::string WithoutLastBreak(std::string text) {
        std::string_view end = kParagraphEnd;
        if (text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0) {
            text.resize(text.size() - end.size());
        }
        return text;
    }

    std::string m_errors;
    std::string m_warnings;
};

// A file problem is an error in the editor; on load a warning, shown only
// while its reminder is on.
void FileProblem(Problems& problems, const ValidationOptions& options, bool reminderOn,
                 const std::string& text, const std::string& path) {
    if (!options.loadMode) {
        problems.FileError(text, path);
    } else if (reminderOn) {
        problems.FileWarning(text, path);
    }
}

void CheckAction(const TaskRecord& task, const ValidationOptions& options, Problems& problems) {
    const TaskInfo& info = task.taskInfo;
    if (info.taskType == TaskType::program && !IsLinkPath(info.programPath) &&
        !FileExists(info.programPath)) {
        FileProblem(problems, options, options.remindFileErrors,
                    LoadMessage(IDS_TIDEWELL_ERROR_PROGRAM_NOT_VALID), info.programPath);
    }
    if (info.taskType == TaskType::macro && options.macroChecking && !IsMacroFile(info.macroPath)) {
        std::string text = ReplaceAll(LoadMessage(IDS_TIDEWELL_ERROR_MACRO_NOT_VALID), "#1", info.macroPath);
        text = ReplaceAll(std::move(text), "#2", LoadMessage(IDS_KLN_MACRO));
        FileProblem(problems, options, true, text, info.macroPath);
    }
}

void CheckSound(const SoundInfo& sound, const ValidationOptions& options, Problems& problems) {
    if (sound.type > 1) problems.Error(kFalseSoundType);
    bool music = sound.type != 0;
    if (sound.noticeSound && music && !options.skipMusicCheck && !FileExists(sound.musicFilePath)) {
        FileProblem(problems, options, options.remindMusicErrors,
                    LoadMessage(IDS_TIDEWELL_ERROR_MUSIC_NOT_VALID), sound.musicFilePath);
    }
}

bool HasEmptyList(const ScheduleInfo& schedule) {
    switch (schedule.type) {
        case ScheduleType::daily: return schedule.daily.empty();
        case ScheduleType::weekly: return schedule.weekly.empty();
        case ScheduleType::monthly: return schedule.monthly.empty();
        case ScheduleType::yearly: return schedule.yearly.empty();
        case ScheduleType::once: return schedule.once.empty();
        default: return false;
    }
}

void CheckSchedule(const ScheduleInfo& schedule, Problems& problems) {
    if (!IsKnownScheduleType(schedule.type)) {
        problems.Error(kFalseScheduleType);
        return;
    }
    bool endingExempt = schedule.type == ScheduleType::once || schedule.type == ScheduleType::countDown;
    if (!endingExempt && schedule.haveEndingTime && schedule.endingTime < schedule.startingTime) {
        problems.Error(LoadMessage(IDS_TIDEWELL_ERROR_ENDING_TIME_EARLIER_THAN_STARTING_TIME));
    }
    if (HasEmptyList(schedule)) problems.Error(LoadMessage(IDS_TIDEWELL_ERROR_NO_DAY_SELECTED));
}

void RemoveEntriesWithoutMonth(std::vector<MonthlyItem>& items) {
    std::erase_if(items, [](const MonthlyItem& item) {
        return !item.everyMonth &&
               std::none_of(item.months.begin(), item.months.end(), [](bool flag) { return flag; });
    });
}

template <typename Item, typename Same>
Result CheckIsNew(const std::vector<Item>& items, const Item& item, Same same) {
    bool exists =
        std::any_of(items.begin(), items.end(), [&](const Item& other) { return same(other, item); });
    if (exists)
        return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_TIDEWELL_ERROR_TIME_EXISTS_CHOOSE_ANOTHER));
    return Result::Ok();
}

}  // namespace

bool IsLinkPath(std::string_view path) {
    return path.substr(0, 10).find("://") != std::string_view::npos ||
           Lowered(path.substr(0, 7)) == "mailto:";
}

void NormalizeTask(TaskRecord& task) {
    task.title = CutTitle(Trimmed(task.title));
    task.comment = Trimmed(task.comment);
    TaskInfo& info = task.taskInfo;
    info.programPath = Trimmed(info.programPath);
    info.parameter = Trimmed(info.parameter);
    info.macroPath = Trimmed(info.macroPath);
    info.noticeMsg = Trimmed(info.noticeMsg);

    SoundInfo& sound = task.soundInfo;
    sound.musicFilePath = Trimmed(sound.musicFilePath);
    Clamp(sound.duration, 1, 3600);
    Clamp(sound.beepFrequency, 37, 32767);
    Clamp(sound.beepBeep, 10, 30000);
    Clamp(sound.beepDelay, 10, 30000);

    ScheduleInfo& schedule = task.scheduleInfo;
    Clamp(schedule.repeatQuantity, 1, 600);
    if (schedule.countDownSeconds > 86400) {
        schedule.countDownDays += schedule.countDownSeconds / 86400;
        schedule.countDownSeconds %= 86400;
    }
    schedule.countDownDays = std::min(schedule.countDownDays, 1000);
    Clamp(schedule.atLogonWaitQuantity, 1, 1440);
    if (static_cast<int32_t>(schedule.atLogonWaitUnit) > 1) schedule.atLogonWaitUnit = TimeUnit::minutes;
    RemoveEntriesWithoutMonth(schedule.monthly);
    RemoveEntriesWithoutMonth(schedule.yearly);

    RandomizationInfo& random = task.randomizationInfo;
    if (random.enable && random.rpTotalSeconds > kMaxRandomPeriodSeconds) {
        random.rpTotalSeconds = static_cast<int32_t>(kMaxRandomPeriodSeconds);
    }
}

ValidationResult ValidateTask(TaskRecord& task, const ValidationOptions& options) {
    NormalizeTask(task);
    Problems problems;
    if (task.title.empty()) problems.Error(LoadMessage(IDS_TIDEWELL_ERROR_TASK_TITLE_CANT_BE_BLANK));
    if (static_cast<int32_t>(task.taskInfo.taskType) > 3) problems.Error(kFalseTaskType);
    CheckAction(task, options, problems);
    CheckSound(task.soundInfo, options, problems);
    CheckSchedule(task.scheduleInfo, problems);
    return problems.Result(options.loadMode);
}

Result CheckDailyTimeIsNew(const std::vector<DateTime>& times, const DateTime& time) {
    return CheckIsNew(times, time,
                      [](const DateTime& a, const DateTime& b) { return TimeOfDay(a) == TimeOfDay(b); });
}

Result CheckWeeklyTimeIsNew(const std::vector<WeeklyItem>& items, const WeeklyItem& item) {
    return CheckIsNew(items, item, [](const WeeklyItem& a, const WeeklyItem& b) {
        return a.weekday == b.weekday && TimeOfDay(a.time) == TimeOfDay(b.time);
    });
}

Result CheckOnceTimeIsNew(const std::vector<DateTime>& times, const DateTime& time) {
    return CheckIsNew(times, time, [](const DateTime& a, const DateTime& b) { return a == b; });
}

}  // namespace tidewell
