#include <optional>

#include "base/text_util.h"
#include "cli/bus_client.h"
#include "cli/change_commands.h"
#include "cli/cli.h"
#include "cli/schedule_view.h"
#include "cli/terminal_password.h"
#include "cli/usage.h"
#include "platform/control_bus.h"
#include "text/messages.h"

namespace tidewell::cli {
namespace {

struct ControlOptions {
    std::string title;  // run-now, enable, disable
    std::string password;
    bool json = false;
};

bool NeedsTitle(std::string_view verb) {
    return verb == "run-now" || verb == "enable" || verb == "disable";
}

// The method of each verb that changes something.
const char* MethodOf(std::string_view verb) {
    if (verb == "run-now") return "RunNow";
    if (verb == "pause") return "Pause";
    if (verb == "resume") return "Resume";
    if (verb == "enable") return "Enable";
    if (verb == "disable") return "Disable";
    return "Reload";
}

std::optional<ControlOptions> ParseControlOptions(std::string_view verb,
                                                  const std::vector<std::string>& arguments,
                                                  std::ostream& err) {
    ControlOptions options;
    std::size_t i = 0;
    if (NeedsTitle(verb)) {
        if (arguments.empty() || arguments[0].starts_with("--")) {
            err << LoadMessage(IDS_MESSAGE_STRING_INPUT_STRING_IS_BLANK) << '\n' << *VerbUsage(verb);
            return std::nullopt;
        }
        options.title = arguments[i++];
    }
    for (; i < arguments.size(); ++i) {
        if (arguments[i] == "--json") {
            options.json = true;
        } else if (arguments[i] == "--password" && verb != "status" && i + 1 < arguments.size()) {
            options.password = arguments[++i];
        } else {
            err << InvalidArgument(arguments[i]) << '\n' << *VerbUsage(verb);
            return std::nullopt;
        }
    }
    return options;
}

// The outcome of a call that did not answer; the tool's exit code.
int Failure(const BusCall& call, std::ostream& err) {
    if (call.outcome == BusCall::Outcome::notRunning) {
        err << LoadMessage(IDS_TIDEWELL_CLI_NOT_RUNNING) << '\n';
        return kExitNotRunning;
    }
    // The program's own refusals carry its message; anything else is named as the bus gives it.
    if (call.errorName.starts_with(kControlInterface))
        err << call.errorMessage << '\n';
    else
        err << ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_NO_ANSWER), "#1", call.errorMessage) << '\n';
    return kExitFailure;
}

int Status(const ControlOptions& options, std::ostream& out, std::ostream& err) {
    BusCall call = CallProgram("Status", nullptr);
    if (call.outcome != BusCall::Outcome::answered) return Failure(call, err);
    int scheduling = 0;
    uint32_t tasks = 0;
    const char* nextRun = nullptr;
    const char* nextTitle = nullptr;
    if (sd_bus_message_read(call.reply.get(), "buss", &scheduling, &tasks, &nextRun, &nextTitle) < 0) {
        err << ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_NO_ANSWER), "#1", "Status") << '\n';
        return kExitFailure;
    }
    const std::string title = nextTitle;
    if (options.json) {
        out << "{\"scheduling\": " << (scheduling ? "true" : "false") << ", \"tasks\": " << tasks
            << ", \"nextRun\": " << (title.empty() ? "null" : JsonText(nextRun))
            << ", \"nextTitle\": " << (title.empty() ? "null" : JsonText(title)) << "}\n";
        return kExitOk;
    }
    std::string next = title.empty() ? std::string(nextRun) : std::string(nextRun) + " (" + title + ")";
    std::string line = ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_STATUS), "#1",
                                  LoadMessage(scheduling ? IDS_TIDEWELL_CLI_ON : IDS_TIDEWELL_CLI_OFF));
    line = ReplaceAll(ReplaceAll(std::move(line), "#2", std::to_string(tasks)), "#3", next);
    out << line << '\n';
    return kExitOk;
}

int Change(std::string_view verb, const ControlOptions& options, std::ostream& out, std::ostream& err) {
    const std::string password = PasswordForChange(options.password, err);
    BusCall call = CallProgram(MethodOf(verb), [&](sd_bus_message* message) {
        if (NeedsTitle(verb))
            return sd_bus_message_append(message, "ss", options.title.c_str(), password.c_str());
        return sd_bus_message_append(message, "s", password.c_str());
    });
    if (call.outcome != BusCall::Outcome::answered) return Failure(call, err);
    if (options.json) {
        out << "{\"done\": " << JsonText(verb);
        if (NeedsTitle(verb)) out << ", \"title\": " << JsonText(options.title);
        out << "}\n";
        return kExitOk;
    }
    std::string what(verb);
    if (NeedsTitle(verb)) what += " \"" + options.title + "\"";
    out << ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_DONE), "#1", what) << '\n';
    return kExitOk;
}

}  // namespace

std::optional<int> RunControlCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                     std::ostream& err) {
    const std::string_view verb = arguments[0];
    if (verb != "status" && verb != "run-now" && verb != "pause" && verb != "resume" && verb != "enable" &&
        verb != "disable" && verb != "reload")
        return std::nullopt;
    std::optional<ControlOptions> options =
        ParseControlOptions(verb, {arguments.begin() + 1, arguments.end()}, err);
    if (!options) return kExitFailure;
    if (verb == "status") return Status(*options, out, err);
    return Change(verb, *options, out, err);
}

std::optional<int> AddThroughProgram(const std::vector<std::string>& options, const std::string& password,
                                     std::ostream& out, std::ostream& err) {
    BusCall call = CallProgram("Add", [&](sd_bus_message* message) {
        int r = sd_bus_message_open_container(message, 'a', "s");
        for (const std::string& option : options)
            if (r >= 0) r = sd_bus_message_append(message, "s", option.c_str());
        if (r >= 0) r = sd_bus_message_close_container(message);
        if (r >= 0) r = sd_bus_message_append(message, "s", password.c_str());
        return r;
    });
    if (call.outcome == BusCall::Outcome::notRunning) return std::nullopt;
    if (call.outcome != BusCall::Outcome::answered) return Failure(call, err);
    const char* added = nullptr;
    if (sd_bus_message_read(call.reply.get(), "s", &added) < 0) return Failure(call, err);
    out << added << '\n';
    return kExitOk;
}

}  // namespace tidewell::cli
