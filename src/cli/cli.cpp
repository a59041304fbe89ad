#include "cli/cli.h"

#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "cli/console_message_box.h"
#include "platform/memory_settings.h"
#include "platform/system_clock.h"
#include "platform/system_sleeper.h"
#include "schedule_file/schedule_store.h"
#include "text/messages.h"
#include "text/text_util.h"
#include "timing/next_run.h"
#include "timing/run_text.h"
#include "timing/schedule_type_name.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

// The tool's own help: it is for people checking schedule files from a shell.
constexpr const char* kUsage =
    "usage:\n"
    "  tidewell-cli list FILE [--password PASSWORD]\n"
    "  tidewell-cli upcoming FILE --from \"YYYY-MM-DD HH:MM:SS\" --count N [--json] [--password PASSWORD]\n"
    "  tidewell-cli check FILE [--password PASSWORD]\n";
constexpr int kMaxCount = 10000;

struct Options {
    std::string command;
    std::string file;
    std::string password;
    std::optional<DateTime> from;
    int count = 1;
    bool json = false;
};

std::string Invalid(std::string_view argument) {
    return ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1", argument);
}

// Reads the options; on failure the message says which argument is wrong.
std::optional<Options> ParseOptions(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    if (arguments.size() < 2) return std::nullopt;
    options.command = arguments[0];
    options.file = arguments[1];
    for (size_t i = 2; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        bool hasValue = i + 1 < arguments.size();
        if (name == "--json") {
            options.json = true;
        } else if (name == "--password" && hasValue) {
            options.password = arguments[++i];
        } else if (name == "--from" && hasValue) {
            DateTime from = ParseDateTime(arguments[++i]);
            if (!from.IsValid()) {
                error = Invalid(arguments[i]);
                return std::nullopt;
            }
            options.from = from;
        } else if (name == "--count" && hasValue) {
            const std::string& text = arguments[++i];
            bool digits = !text.empty() && text.size() <= 5 &&
                          text.find_first_not_of("0123456789") == std::string::npos;
            options.count = digits ? std::stoi(text) : 0;
            if (options.count < 1 || options.count > kMaxCount) {
                error = Invalid(text);
                return std::nullopt;
            }
        } else {
            error = Invalid(name);
            return std::nullopt;
        }
    }
    bool known = options.command == "list" || options.command == "check" || options.command == "upcoming";
    if (!known || (options.command == "upcoming" && !options.from)) return std::nullopt;
    return options;
}

struct Loaded {
    TaskList list;
    LoadReport report;
};

// Loads without touching the file or the user's settings.
Loaded Load(const Options& options, const Clock& clock, MessageBoxService& messages, bool displayOrder) {
    StandardRandomSource random;
    MemorySettings settings;
    SystemSleeper sleeper;
    ScheduleStoreContext context{clock, random, settings, messages, sleeper, options.password};
    LoadOptions loadOptions;
    loadOptions.keepDamagedAside = false;
    loadOptions.displayOrder = displayOrder;
    Loaded loaded;
    loaded.report = LoadTaskList(options.file, loaded.list, context, loadOptions);
    return loaded;
}

// The reason a file gave nothing, or empty when it loaded.
std::string LoadFailure(const Options& options, const LoadReport& report) {
    if (report.loaded) return {};
    std::error_code error;
    if (!std::filesystem::exists(options.file, error)) {
        return ReplaceAll(LoadMessage(IDS_ERROR_FILE_FILE_NOT_FOUND), "#1", options.file);
    }
    return report.failureMessage.empty() ? LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH)
                                         : report.failureMessage;
}

std::string JsonString(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            case '\t': quoted += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

int List(const Options& options, std::ostream& out, std::ostream& err) {
    SystemClock clock;
    ConsoleMessageBox messages(err);
    Loaded loaded = Load(options, clock, messages, true);
    if (std::string failure = LoadFailure(options, loaded.report); !failure.empty()) {
        err << failure << "\n";
        return kExitFailure;
    }
    out << LoadMessage(IDS_KLN_TITLE) << '\t' << LoadMessage(IDS_TIDEWELL_KLN_SCHEDULE_TYPE) << '\t'
        << LoadMessage(IDS_TIDEWELL_KLN_NEXT_RUN) << '\t' << LoadMessage(IDS_TIDEWELL_KLN_LAST_RUN) << '\n';
    for (const TaskRecord& task : loaded.list) {
        if (IsPlaceholderTask(task)) continue;
        const ScheduleInfo& schedule = task.scheduleInfo;
        std::string lastRun = schedule.haveLastRunTime ? RunInstantText(schedule.lastRunTime) : NeverText();
        out << task.title << '\t' << ScheduleTypeName(schedule.type) << '\t'
            << NextRunColumnText(clock.Now(), task) << '\t' << lastRun << '\n';
    }
    return kExitOk;
}

// The next `count` scheduled instants from `from`, each asked from the one before.
std::vector<std::string> Upcoming(TaskRecord task, const DateTime& from, int count) {
    task.randomizationInfo.enable = false;  // the scheduled instants, not the random ones
    std::vector<std::string> runs;
    DateTime now = from;
    for (int i = 0; i < count; ++i) {
        NextRunTime(now, task);
        const ScheduleInfo& schedule = task.scheduleInfo;
        if (!schedule.haveNextRunTime || schedule.type == ScheduleType::atLogon) break;
        runs.push_back(schedule.nextRunTime.Format(kStorageFormat));
        now = schedule.nextRunTime;
    }
    return runs;
}

int ShowUpcoming(const Options& options, std::ostream& out, std::ostream& err) {
    FixedClock clock(*options.from);
    ConsoleMessageBox messages(err);
    Loaded loaded = Load(options, clock, messages, false);
    if (std::string failure = LoadFailure(options, loaded.report); !failure.empty()) {
        err << failure << "\n";
        return kExitFailure;
    }
    if (options.json) out << "[\n";
    for (size_t i = 0; i < loaded.list.size(); ++i) {
        const TaskRecord& task = loaded.list[i];
        std::vector<std::string> runs = Upcoming(task, *options.from, options.count);
        std::string type = ScheduleTypeName(task.scheduleInfo.type);
        if (!options.json) {
            out << task.title << " (" << type << ")\n";
            if (runs.empty()) out << "  " << NeverText() << '\n';
            for (const std::string& run : runs) out << "  " << run << '\n';
            continue;
        }
        out << "  {\"title\": " << JsonString(task.title) << ", \"scheduleType\": " << JsonString(type)
            << ", \"runs\": [";
        for (size_t r = 0; r < runs.size(); ++r) out << (r ? ", " : "") << JsonString(runs[r]);
        out << "]}" << (i + 1 < loaded.list.size() ? "," : "") << '\n';
    }
    if (options.json) out << "]\n";
    return kExitOk;
}

int Check(const Options& options, std::ostream& out, std::ostream& err) {
    SystemClock clock;
    ConsoleMessageBox messages(out);
    Loaded loaded = Load(options, clock, messages, true);
    if (std::string failure = LoadFailure(options, loaded.report); !failure.empty()) {
        err << failure << "\n";
        return kExitFailure;
    }
    return loaded.report.droppedTasks == 0 ? kExitOk : kExitProblems;
}

}  // namespace

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string error;
    std::optional<Options> options = ParseOptions(arguments, error);
    if (!options) {
        if (!error.empty()) err << error << "\n";
        err << kUsage;
        return kExitFailure;
    }
    if (options->command == "list") return List(*options, out, err);
    if (options->command == "upcoming") return ShowUpcoming(*options, out, err);
    return Check(*options, out, err);
}

}  // namespace tidewell::cli
