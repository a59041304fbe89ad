#include "base/text_util.h"
#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "cli/usage.h"
#include "cli/user_files.h"
#include "cli/view_commands.h"
#include "overview/description.h"
#include "overview/schedule_statistics.h"
#include "platform/system_clock.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

// Sections are indented under the task's title, one line per line of text.
void WriteSection(std::ostream& out, const std::string& section) {
    out << "  " << ReplaceAll(PlainLines(section), "\n", "\n  ") << '\n';
}

struct Session {
    ViewOptions options;
    SystemClock systemClock;
    std::optional<FixedClock> fixedClock;
    const Clock& clock() const { return fixedClock ? static_cast<const Clock&>(*fixedClock) : systemClock; }
};

// Parses and loads; returns an exit code when there is nothing more to do.
std::optional<int> Open(std::string_view verb, const std::vector<std::string>& arguments, Session& session,
                        LoadedSchedule& loaded, std::ostream& err) {
    std::string error;
    std::optional<ViewOptions> options = ParseViewOptions(arguments, 0, error);
    if (!options) {
        if (!error.empty()) err << error << '\n';
        err << *VerbUsage(verb);
        return kExitFailure;
    }
    session.options = *options;
    if (options->now) session.fixedClock.emplace(*options->now);
    ConsoleMessageBox messages(err);
    loaded = LoadSchedule(session.options.file, session.options.password, session.clock(), messages, true);
    if (loaded.failure.empty()) return std::nullopt;
    err << loaded.failure << '\n';
    return kExitFailure;
}

}  // namespace

int RunDescribe(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Session session;
    LoadedSchedule loaded;
    if (std::optional<int> done = Open("describe", arguments, session, loaded, err)) return *done;
    DescriptionOptions descriptionOptions = UserDescriptionOptions();
    StandardRandomSource random;
    NextRunContext context{session.clock(), random};
    bool first = true;
    for (TaskRecord& task : loaded.tasks) {
        if (IsPlaceholderTask(task)) continue;
        TaskDescription description = DescribeTask(task, descriptionOptions, context);
        out << (first ? "" : "\n") << task.title << '\n';
        for (const std::string* section : {&description.task, &description.sound, &description.schedule,
                                           &description.randomization, &description.waiting}) {
            WriteSection(out, *section);
        }
        first = false;
    }
    return kExitOk;
}

int RunStats(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Session session;
    LoadedSchedule loaded;
    if (std::optional<int> done = Open("stats", arguments, session, loaded, err)) return *done;
    out << PlainLines(ScheduleStatistics(loaded.tasks)) << '\n';
    return kExitOk;
}

}  // namespace tidewell::cli
