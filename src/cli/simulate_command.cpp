#include <charconv>

#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "cli/usage.h"
#include "cli/view_commands.h"
#include "runtime/simulation.h"
#include "timing/standard_random.h"

namespace tidewell::cli {
namespace {

constexpr int kMaxJitterMs = 999;
constexpr int kMaxStallMs = 24 * 3600 * 1000;
// Longer dry runs take minutes: one pass is made for every simulated second.
constexpr int64_t kMaxSimulatedSeconds = 366LL * 2 * 86400;

int Usage(const std::string& error, std::ostream& err) {
    if (!error.empty()) err << error << '\n';
    err << *VerbUsage("simulate");
    return kExitFailure;
}

bool ReadNumber(const std::string& text, int64_t low, int64_t high, int64_t& value) {
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && value >= low && value <= high;
}

// Takes the options of the dry run out of `arguments`; what is left goes to the shared parser.
bool TakeTickOptions(std::vector<std::string>& arguments, SimulationOptions& options, std::string& error) {
    std::vector<std::string> rest;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--autoload") {
            options.autoload = true;
            continue;
        }
        const bool numeric =
            name == "--tick-jitter-ms" || name == "--stall-every" || name == "--stall-ms" || name == "--seed";
        if (!numeric) {
            rest.push_back(name);
            continue;
        }
        int64_t value = 0;
        const int64_t high = name == "--tick-jitter-ms" ? kMaxJitterMs
                             : name == "--stall-ms"     ? kMaxStallMs
                                                        : INT32_MAX;
        if (i + 1 >= arguments.size() || !ReadNumber(arguments[i + 1], 0, high, value)) {
            error = InvalidArgument(i + 1 < arguments.size() ? arguments[i + 1] : name);
            return false;
        }
        ++i;
        if (name == "--tick-jitter-ms") options.tickJitterMs = static_cast<int>(value);
        if (name == "--stall-every") options.stallEvery = static_cast<int>(value);
        if (name == "--stall-ms") options.stallMs = static_cast<int>(value);
        if (name == "--seed") options.seed = static_cast<uint64_t>(value);
    }
    arguments = std::move(rest);
    return true;
}

void WriteRuns(const std::vector<SimulatedRun>& runs, bool json, std::ostream& out) {
    if (!json) {
        for (const SimulatedRun& run : runs)
            out << run.ranAt.Format(kStorageFormat) << '\t' << run.title << '\n';
        return;
    }
    out << "[";
    for (size_t i = 0; i < runs.size(); ++i) {
        out << (i ? ",\n " : "\n ") << "{\"time\": " << JsonText(runs[i].ranAt.Format(kStorageFormat))
            << ", \"due\": " << JsonText(runs[i].dueAt.Format(kStorageFormat))
            << ", \"title\": " << JsonText(runs[i].title) << "}";
    }
    out << "\n]\n";
}

}  // namespace

int RunSimulate(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> rest = arguments;
    SimulationOptions simulation;
    std::string error;
    if (!TakeTickOptions(rest, simulation, error)) return Usage(error, err);
    std::optional<ViewOptions> options = ParseViewOptions(rest, kRangeOptions | kJsonOption, error);
    if (!options || !options->from || !options->to || options->maxRuns || options->quickView ||
        options->now) {
        return Usage(error, err);
    }
    if (!EpochOf(*options->from, simulation.fromEpoch) || !EpochOf(*options->to, simulation.toEpoch) ||
        simulation.toEpoch < simulation.fromEpoch ||
        simulation.toEpoch - simulation.fromEpoch > kMaxSimulatedSeconds) {
        return Usage(InvalidArgument(options->to->Format(kStorageFormat)), err);
    }
    FixedClock clock(*options->from);
    ConsoleMessageBox messages(err);
    LoadedSchedule loaded = LoadSchedule(options->file, options->password, clock, messages, true);
    if (!loaded.failure.empty()) {
        err << loaded.failure << '\n';
        return kExitFailure;
    }
    StandardRandomSource random(simulation.seed);
    WriteRuns(Simulate(loaded.tasks, simulation, random), options->json, out);
    return kExitOk;
}

}  // namespace tidewell::cli
