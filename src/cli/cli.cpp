#include "cli/cli.h"

#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

#include "base/text_util.h"
#include "cli/change_commands.h"
#include "cli/console_message_box.h"
#include "cli/options.h"
#include "cli/schedule_view.h"
#include "cli/usage.h"
#include "cli/view_commands.h"
#include "overview/task_texts.h"
#include "platform/system_clock.h"
#include "platform/system_sleeper.h"
#include "schedule_file/schedule_store.h"
#include "text/messages.h"
#include "timing/next_run.h"
#include "timing/run_text.h"
#include "timing/schedule_type_name.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

constexpr const char* kStandardOutput = "/dev/stdout";

std::string WithPath(int32_t id, const std::string& path) {
    return ReplaceAll(LoadMessage(id), "#1", path);
}

// "list" and "check" compute as of --now when it is given, else as of the system clock.
std::unique_ptr<Clock> ClockFor(const Options& options) {
    if (options.now) return std::make_unique<FixedClock>(*options.now);
    return std::make_unique<SystemClock>();
}

int List(const Options& options, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Clock> clock = ClockFor(options);
    ConsoleMessageBox messages(err);
    LoadedSchedule loaded = LoadSchedule(options.file, options.password, *clock, messages, true);
    if (!loaded.failure.empty()) {
        err << loaded.failure << "\n";
        return kExitFailure;
    }
    out << LoadMessage(IDS_KLN_TITLE) << '\t' << LoadMessage(IDS_TIDEWELL_KLN_SCHEDULE_TYPE) << '\t'
        << LoadMessage(IDS_TIDEWELL_KLN_NEXT_RUN) << '\t' << LoadMessage(IDS_TIDEWELL_KLN_LAST_RUN) << '\n';
    for (const TaskRecord& task : loaded.tasks) {
        if (IsPlaceholderTask(task)) continue;
        out << task.title << '\t' << ScheduleTypeName(task.scheduleInfo.type) << '\t'
            << NextRunColumnText(clock->Now(), task) << '\t' << LastRunText(task) << '\n';
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
    LoadedSchedule loaded = LoadSchedule(options.file, options.password, clock, messages, false);
    if (!loaded.failure.empty()) {
        err << loaded.failure << "\n";
        return kExitFailure;
    }
    if (options.json) out << "[\n";
    for (size_t i = 0; i < loaded.tasks.size(); ++i) {
        const TaskRecord& task = loaded.tasks[i];
        std::vector<std::string> runs = Upcoming(task, *options.from, options.count);
        std::string type = ScheduleTypeName(task.scheduleInfo.type);
        if (!options.json) {
            out << task.title << " (" << type << ")\n";
            if (runs.empty()) out << "  " << NeverText() << '\n';
            for (const std::string& run : runs) out << "  " << run << '\n';
            continue;
        }
        out << "  {\"title\": " << JsonText(task.title) << ", \"scheduleType\": " << JsonText(type)
            << ", \"runs\": [";
        for (size_t r = 0; r < runs.size(); ++r) out << (r ? ", " : "") << JsonText(runs[r]);
        out << "]}" << (i + 1 < loaded.tasks.size() ? "," : "") << '\n';
    }
    if (options.json) out << "]\n";
    return kExitOk;
}

int Check(const Options& options, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Clock> clock = ClockFor(options);
    ConsoleMessageBox messages(out);
    LoadedSchedule loaded = LoadSchedule(options.file, options.password, *clock, messages, true);
    if (!loaded.failure.empty()) {
        err << loaded.failure << "\n";
        return kExitFailure;
    }
    return loaded.report.droppedTasks == 0 ? kExitOk : kExitProblems;
}

int RunCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (std::optional<int> status = RunHelp(arguments, out, err)) return *status;
    if (!IsVerb(arguments[0])) {
        err << UnknownCommand(arguments[0]) << '\n';
        return kExitFailure;
    }
    if (std::optional<int> status = RunViewCommand(arguments, out, err)) return *status;
    if (std::optional<int> status = RunControlCommand(arguments, out, err)) return *status;
    if (arguments[0] == "add") {
        SystemSleeper sleeper;
        return RunAdd({arguments.begin() + 1, arguments.end()}, out, err, sleeper);
    }
    Options options;
    if (Result parsed = ParseOptions(arguments, options); !parsed) {
        err << parsed.message() << "\n" << VerbUsage(arguments[0]).value_or(Usage());
        return kExitFailure;
    }
    if (options.command == "list") return List(options, out, err);
    if (options.command == "upcoming") return ShowUpcoming(options, out, err);
    return Check(options, out, err);
}

}  // namespace

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    // Nothing may end the tool without a message: what the layers below throw ends here.
    try {
        int status = RunCommand(arguments, out, err);
        // Output that did not arrive (a full disk, a closed pipe) is a failure, not a result.
        if (!out.flush()) {
            err << WithPath(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE, kStandardOutput) << "\n";
            return kExitFailure;
        }
        return status;
    } catch (const std::bad_alloc&) {
        err << LoadMessage(IDS_ERROR_MEMORY_INSUFFICIENT_MEMORY_PLEASE_QUIT_APPLICATIONS) << "\n";
    } catch (const std::filesystem::filesystem_error& error) {
        err << (error.path1().empty()
                    ? LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE,
                                  std::to_string(error.code().value()))
                    : WithPath(IDS_ERROR_FILE_CAN_NOT_ACCESS_FILE_CHECK_FL, error.path1().string()))
            << "\n";
    } catch (const std::system_error& error) {
        err << LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, std::to_string(error.code().value()))
            << "\n";
    } catch (const std::exception& error) {
        err << LoadMessage(IDS_ERROR_MISC_UNKNOWN_ERROR_WITH_CODE, error.what()) << "\n";
    }
    return kExitFailure;
}

}  // namespace tidewell::cli
