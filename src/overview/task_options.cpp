#include "overview/task_options.h"

#include <array>
#include <string_view>

#include "base/text_util.h"
#include "text/messages.h"
#include "timing/sub_repeat.h"

namespace tidewell {
namespace {

constexpr int kMaxNumber = 1000000;
// Weekday names of --weekly, Monday first (WeeklyItem counts Monday as 1).
constexpr std::array<std::string_view, 7> kWeekdays = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

Result Invalid(std::string_view argument) {
    return Result::Fail(
        ErrorKind::invalid,
        ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1", argument));
}

std::optional<int> Number(std::string_view text, int least) {
    if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    int value = std::stoi(std::string(text));
    if (value < least || value > kMaxNumber) return std::nullopt;
    return value;
}

std::optional<DateTime> Instant(const std::string& text) {
    DateTime value = ParseDateTime(text);
    if (!value.IsValid() || text.size() < 19) return std::nullopt;  // a full date and time
    return value;
}

std::optional<DateTime> TimeOfDay(const std::string& text) {
    DateTime value = ParseDateTime(text);
    if (!value.IsValid() || value.DayNumber() != 0 || text.find('-') != std::string::npos)
        return std::nullopt;
    return value;
}

// "Mon,Fri 09:00:00": one entry per day named.
bool ReadWeekly(const std::string& text, std::vector<WeeklyItem>& items) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string::npos) return false;
    std::optional<DateTime> time = TimeOfDay(text.substr(blank + 1));
    if (!time) return false;
    std::string_view days(text.data(), blank);
    while (!days.empty()) {
        const std::size_t comma = days.find(',');
        std::string_view day = days.substr(0, comma);
        int weekday = 0;
        for (std::size_t i = 0; i < kWeekdays.size(); ++i)
            if (day == kWeekdays[i]) weekday = static_cast<int>(i) + 1;
        if (weekday == 0) return false;
        items.push_back(WeeklyItem{weekday, *time});
        days = comma == std::string_view::npos ? std::string_view() : days.substr(comma + 1);
    }
    return true;
}

// "90s", "15m", "2h", "1d".
bool ReadEvery(const std::string& text, AddOptions& options) {
    if (text.size() < 2) return false;
    const std::string_view units = "smhd";
    const std::size_t unit = units.find(text.back());
    std::optional<int> quantity = Number(std::string_view(text).substr(0, text.size() - 1), 1);
    if (unit == std::string_view::npos || !quantity) return false;
    options.everyQuantity = quantity;
    options.everyUnit = static_cast<TimeUnit>(unit);
    return true;
}

template <typename T>
bool SetOnce(std::optional<T>& field, std::optional<T> value) {
    if (field || !value) return false;
    field = std::move(value);
    return true;
}

// Reads one option with a value; false when the value does not read.
bool ReadValue(const std::string& name, const std::string& value, AddOptions& options) {
    if (name == "--file") return !value.empty() && (options.file = value, true);
    if (name == "--password") return (options.password = value, true);
    if (name == "--title") return (options.title = value, true);
    if (name == "--once") {
        std::optional<DateTime> instant = Instant(value);
        if (instant) options.once.push_back(*instant);
        return instant.has_value();
    }
    if (name == "--daily") {
        std::optional<DateTime> time = TimeOfDay(value);
        if (time) options.daily.push_back(*time);
        return time.has_value();
    }
    if (name == "--weekly") return ReadWeekly(value, options.weekly);
    if (name == "--every") return !options.everyQuantity && ReadEvery(value, options);
    if (name == "--wait") return SetOnce(options.waitMinutes, Number(value, 0));
    if (name == "--start") return SetOnce(options.start, Instant(value));
    if (name == "--end") return SetOnce(options.end, Instant(value));
    if (name == "--run") return SetOnce(options.run, std::optional<std::string>(value));
    if (name == "--args") return SetOnce(options.args, std::optional<std::string>(value));
    if (name == "--open") return SetOnce(options.open, std::optional<std::string>(value));
    if (name == "--notice") return SetOnce(options.notice, std::optional<std::string>(value));
    if (name == "--random-minutes") return SetOnce(options.randomMinutes, Number(value, 1));
    return false;
}

bool TakesValue(std::string_view name) {
    constexpr std::string_view kNames[] = {
        "--file",  "--password", "--title", "--once", "--daily", "--weekly", "--every",         "--wait",
        "--start", "--end",      "--run",   "--args", "--open",  "--notice", "--random-minutes"};
    for (std::string_view known : kNames)
        if (name == known) return true;
    return false;
}

}  // namespace

Result ParseAddOptions(const std::vector<std::string>& arguments, AddOptions& options) {
    options = AddOptions{};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--at-logon" || name == "--sound") {
            bool& flag = name == "--sound" ? options.sound : options.atLogon;
            if (flag) return Invalid(name);
            flag = true;
            continue;
        }
        if (!TakesValue(name) || i + 1 == arguments.size()) return Invalid(name);
        if (!ReadValue(name, arguments[i + 1], options)) return Invalid(arguments[i + 1]);
        ++i;
    }
    const int schedules = !options.once.empty() + !options.daily.empty() + !options.weekly.empty() +
                          options.everyQuantity.has_value() + options.atLogon;
    if (schedules != 1)
        return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_TIDEWELL_CLI_ADD_ONE_SCHEDULE));
    const int actions = options.run.has_value() + options.open.has_value() + options.notice.has_value();
    if (actions != 1) return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_TIDEWELL_CLI_ADD_ONE_ACTION));
    if (options.args && !options.run) return Invalid("--args");
    if (options.waitMinutes && !options.atLogon) return Invalid("--wait");
    return Result::Ok();
}

void ApplyAddOptions(const AddOptions& options, const DateTime& now, TaskRecord& task) {
    task.title = CutTitle(options.title);
    TaskInfo& action = task.taskInfo;
    if (options.notice) {
        action.taskType = TaskType::notice;
        action.noticeMsg = *options.notice;
    } else {
        action.taskType = TaskType::program;
        action.programPath = options.run ? *options.run : *options.open;
        action.parameter = options.args.value_or(std::string());
    }
    task.soundInfo.noticeSound = options.sound;
    ScheduleInfo& schedule = task.scheduleInfo;
    schedule.startingTime = options.start.value_or(now);
    schedule.haveEndingTime = options.end.has_value();
    if (options.end) schedule.endingTime = *options.end;
    schedule.haveNextRunTime = false;
    schedule.haveLastRunTime = false;
    if (!options.once.empty()) {
        schedule.type = ScheduleType::once;
        schedule.once = options.once;
    } else if (!options.daily.empty()) {
        schedule.type = ScheduleType::daily;
        schedule.daily = options.daily;
        schedule.dailyRepeats.assign(options.daily.size(), DefaultSubRepeat(ScheduleType::daily));
    } else if (!options.weekly.empty()) {
        schedule.type = ScheduleType::weekly;
        schedule.weekly = options.weekly;
    } else if (options.everyQuantity) {
        schedule.type = ScheduleType::repeating;
        schedule.repeatQuantity = *options.everyQuantity;
        schedule.repeatUnit = options.everyUnit;
    } else {
        schedule.type = ScheduleType::atLogon;
        schedule.atLogonWait = options.waitMinutes.has_value();
        schedule.atLogonWaitQuantity = options.waitMinutes.value_or(schedule.atLogonWaitQuantity);
        schedule.atLogonWaitUnit = TimeUnit::minutes;
    }
    task.randomizationInfo.enable = options.randomMinutes.has_value();
    if (options.randomMinutes) task.randomizationInfo.rpTotalSeconds = *options.randomMinutes * 60;
}

}  // namespace tidewell
