#include "base/text_util.h"
#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "cli/usage.h"
#include "cli/user_files.h"
#include "cli/view_commands.h"
#include "config/quick_view_store.h"
#include "overview/agenda.h"
#include "overview/icalendar.h"
#include "overview/quick_view_range.h"
#include "platform/system_clock.h"
#include "text/messages.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

// A task cut short has more runs in the range than were listed.
std::string CutShortText(const std::string& title, int maxRuns) {
    std::string text =
        ReplaceAll(LoadMessage(IDS_ERROR_STRING_MAX_LENGTH_FOR_A_IS_B), "#1", "\"" + title + "\"");
    return ReplaceAll(std::move(text), "#2", std::to_string(maxRuns));
}

int Usage(const std::string& error, std::ostream& err) {
    if (!error.empty()) err << error << '\n';
    err << *VerbUsage("agenda");
    return kExitFailure;
}

// The range of the user's Quick View `number`; rejected lines of qv.ini are reported and skipped.
std::optional<QuickViewRange> QuickViewRangeOfUser(int number, const DateTime& now, std::ostream& err) {
    std::string path = UserQuickViewFile();
    std::vector<std::string> lines;
    if (Result loaded = LoadQuickViewLines(path, lines); !loaded) {
        err << loaded.message() << '\n';
        return std::nullopt;
    }
    std::vector<std::size_t> rejected;
    std::vector<QuickViewRecord> records = ParseQuickViewLines(lines, now, &rejected);
    for (std::size_t line : rejected)
        err << InvalidArgument(QuickViewKey(static_cast<int>(line) + 1)) << '\n';
    if (number > static_cast<int>(records.size())) {
        err << InvalidArgument(std::to_string(number)) << '\n';
        return std::nullopt;
    }
    return QuickViewRangeOf(records[static_cast<std::size_t>(number - 1)], now);
}

void WriteText(const Agenda& agenda, const TaskList& tasks, int maxRuns, std::ostream& out,
               std::ostream& err) {
    for (const AgendaRun& run : agenda.runs)
        out << run.time.Format(kStorageFormat) << '\t' << tasks[run.task].title << '\n';
    for (std::size_t task : agenda.cutShort) err << CutShortText(tasks[task].title, maxRuns) << '\n';
}

void WriteCalendar(const Agenda& agenda, const TaskList& tasks, const DateTime& now, const Clock& clock,
                   std::ostream& out) {
    StandardRandomSource random;
    WriteLocalICalendar(agenda, tasks, now, UserDescriptionOptions(), NextRunContext{clock, random}, out);
}

void WriteJson(const Agenda& agenda, const TaskList& tasks, const QuickViewRange& range, std::ostream& out) {
    out << "{\"from\": " << JsonText(range.start.Format(kStorageFormat))
        << ", \"to\": " << JsonText(range.end.Format(kStorageFormat)) << ",\n \"runs\": [";
    for (std::size_t i = 0; i < agenda.runs.size(); ++i) {
        const AgendaRun& run = agenda.runs[i];
        out << (i ? ",\n  " : "\n  ") << "{\"time\": " << JsonText(run.time.Format(kStorageFormat))
            << ", \"title\": " << JsonText(tasks[run.task].title) << "}";
    }
    out << "],\n \"cutShort\": [";
    for (std::size_t i = 0; i < agenda.cutShort.size(); ++i)
        out << (i ? ", " : "") << JsonText(tasks[agenda.cutShort[i]].title);
    out << "]}\n";
}

}  // namespace

int RunAgenda(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string error;
    std::optional<ViewOptions> options =
        ParseViewOptions(arguments, kRangeOptions | kJsonOption | kICalOption, error);
    if (!options) return Usage(error, err);
    if (options->json && options->ical) return Usage(InvalidArgument("--ical"), err);
    bool byQuickView = options->quickView.has_value();
    if (byQuickView && (options->from || options->to)) return Usage(InvalidArgument("--quick-view"), err);
    if (!byQuickView && (!options->from || !options->to)) return Usage({}, err);
    SystemClock systemClock;
    DateTime now = options->now ? *options->now : systemClock.Now();
    std::optional<QuickViewRange> range;
    if (byQuickView) {
        range = QuickViewRangeOfUser(*options->quickView, now, err);
        if (!range) return kExitFailure;
    } else if (*options->from > *options->to) {
        return Usage(InvalidArgument(options->to->Format(kStorageFormat)), err);
    } else {
        range = QuickViewRange{*options->from, *options->to};
    }
    FixedClock clock(now);
    ConsoleMessageBox messages(err);
    LoadedSchedule loaded = LoadSchedule(options->file, options->password, clock, messages, false);
    if (!loaded.failure.empty()) {
        err << loaded.failure << '\n';
        return kExitFailure;
    }
    int maxRuns = options->maxRuns.value_or(kDefaultAgendaRunsPerTask);
    Agenda agenda = ComputeAgenda(loaded.tasks, range->start, range->end, maxRuns);
    if (options->ical) {
        WriteCalendar(agenda, loaded.tasks, now, clock, out);
        for (std::size_t task : agenda.cutShort)
            err << CutShortText(loaded.tasks[task].title, maxRuns) << '\n';
    } else if (options->json) {
        WriteJson(agenda, loaded.tasks, *range, out);
    } else {
        WriteText(agenda, loaded.tasks, maxRuns, out, err);
    }
    return kExitOk;
}

std::optional<int> RunViewCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                  std::ostream& err) {
    if (arguments.empty()) return std::nullopt;
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (arguments[0] == "describe") return RunDescribe(rest, out, err);
    if (arguments[0] == "stats") return RunStats(rest, out, err);
    if (arguments[0] == "agenda") return RunAgenda(rest, out, err);
    if (arguments[0] == "simulate") return RunSimulate(rest, out, err);
    return std::nullopt;
}

}  // namespace tidewell::cli
