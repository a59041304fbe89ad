#include "cli/usage.h"

#include "base/text_util.h"
#include "cli/cli.h"
#include "cli/schedule_view.h"
#include "text/messages.h"

namespace tidewell::cli {
namespace {

constexpr const char* kToolName = "tidewell-cli";

struct Verb {
    const char* name;
    const char* synopsis;  // the syntax after the tool's name, the same in every language
    int32_t summary;       // what the verb does, from the message table
};

constexpr Verb kVerbs[] = {
    {"list", "list FILE [--now \"YYYY-MM-DD HH:MM:SS\"] [--password PASSWORD]", IDS_TIDEWELL_CLI_HELP_LIST},
    {"upcoming", "upcoming FILE --from \"YYYY-MM-DD HH:MM:SS\" --count N [--json] [--password PASSWORD]",
     IDS_TIDEWELL_CLI_HELP_UPCOMING},
    {"check", "check FILE [--now \"YYYY-MM-DD HH:MM:SS\"] [--password PASSWORD]",
     IDS_TIDEWELL_CLI_HELP_CHECK},
    {"describe", "describe FILE [--now \"YYYY-MM-DD HH:MM:SS\"] [--password PASSWORD]",
     IDS_TIDEWELL_CLI_HELP_DESCRIBE},
    {"stats", "stats FILE [--now \"YYYY-MM-DD HH:MM:SS\"] [--password PASSWORD]",
     IDS_TIDEWELL_CLI_HELP_STATS},
    {"agenda",
     "agenda FILE --from \"YYYY-MM-DD HH:MM:SS\" --to \"YYYY-MM-DD HH:MM:SS\" [--max-runs N] [--json | "
     "--ical]\n"
     "    [--password PASSWORD]\n"
     "  tidewell-cli agenda FILE --quick-view N [--now \"YYYY-MM-DD HH:MM:SS\"] [--max-runs N] [--json | "
     "--ical]",
     IDS_TIDEWELL_CLI_HELP_AGENDA},
    {"simulate",
     "simulate FILE --from \"YYYY-MM-DD HH:MM:SS\" --to \"YYYY-MM-DD HH:MM:SS\" [--autoload]\n"
     "    [--tick-jitter-ms N] [--stall-every N --stall-ms M] [--seed S] [--json]",
     IDS_TIDEWELL_CLI_HELP_SIMULATE},
    {"add",
     "add --title TITLE [--file FILE] [--password PASSWORD]\n"
     "    (--once \"YYYY-MM-DD HH:MM:SS\"... | --daily HH:MM:SS... | --weekly \"Mon,Fri HH:MM:SS\"...\n"
     "     | --every N{s|m|h|d} | --at-logon [--wait MINUTES])\n"
     "    (--run PROGRAM [--args ARGUMENTS] | --open FILE | --notice TEXT)\n"
     "    [--start \"YYYY-MM-DD HH:MM:SS\"] [--end \"YYYY-MM-DD HH:MM:SS\"] [--sound] [--random-minutes N]",
     IDS_TIDEWELL_CLI_HELP_ADD},
    {"status", "status [--json]", IDS_TIDEWELL_CLI_HELP_STATUS},
    {"run-now", "run-now TITLE [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_RUN_NOW},
    {"pause", "pause [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_PAUSE},
    {"resume", "resume [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_RESUME},
    {"enable", "enable TITLE [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_ENABLE},
    {"disable", "disable TITLE [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_DISABLE},
    {"reload", "reload [--password PASSWORD] [--json]", IDS_TIDEWELL_CLI_HELP_RELOAD},
    {"help", "help [VERB]", IDS_TIDEWELL_CLI_HELP_HELP},
};

const Verb* FindVerb(std::string_view name) {
    for (const Verb& verb : kVerbs)
        if (name == verb.name) return &verb;
    return nullptr;
}

std::string Entry(const Verb& verb) {
    return std::string("  ") + kToolName + ' ' + verb.synopsis + "\n      " + LoadMessage(verb.summary) +
           '\n';
}

}  // namespace

std::vector<std::string_view> VerbNames() {
    std::vector<std::string_view> names;
    for (const Verb& verb : kVerbs) names.emplace_back(verb.name);
    return names;
}

bool IsVerb(std::string_view verb) {
    return FindVerb(verb) != nullptr;
}

std::string Usage() {
    std::string text = LoadMessage(IDS_TIDEWELL_CLI_USAGE) + '\n';
    for (const Verb& verb : kVerbs) text += Entry(verb);
    text += "  " + std::string(kToolName) + " --version\n";
    return text;
}

std::optional<std::string> VerbUsage(std::string_view verb) {
    const Verb* found = FindVerb(verb);
    if (!found) return std::nullopt;
    return LoadMessage(IDS_TIDEWELL_CLI_USAGE) + '\n' + Entry(*found);
}

std::string UnknownCommand(std::string_view verb) {
    std::string names;
    for (const Verb& each : kVerbs) names += (names.empty() ? "" : ", ") + std::string(each.name);
    return ReplaceAll(ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_UNKNOWN_COMMAND), "#1", verb), "#2", names);
}

std::string VersionLine() {
    return std::string(kToolName) + ' ' + LoadMessage(IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION);
}

std::optional<int> RunHelp(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty()) {
        err << LoadMessage(IDS_MESSAGE_STRING_INPUT_STRING_IS_BLANK) << '\n' << Usage();
        return kExitFailure;
    }
    const std::string& first = arguments[0];
    if (first == "--version") {
        if (arguments.size() > 1) return std::nullopt;
        out << VersionLine() << '\n';
        return kExitOk;
    }
    if (first != "--help" && first != "-h" && first != "help") return std::nullopt;
    if (arguments.size() == 1) {
        out << Usage();
        return kExitOk;
    }
    if (arguments.size() > 2) {
        err << InvalidArgument(arguments[2]) << '\n';
        return kExitFailure;
    }
    if (std::optional<std::string> usage = VerbUsage(arguments[1])) {
        out << *usage;
        return kExitOk;
    }
    err << UnknownCommand(arguments[1]) << '\n';
    return kExitFailure;
}

}  // namespace tidewell::cli
