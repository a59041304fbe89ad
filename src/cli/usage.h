#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tidewell::cli {

// The verbs of tidewell-cli and their help, the one place that lists them.

// Every verb, in the order the help shows them.
std::vector<std::string_view> VerbNames();

bool IsVerb(std::string_view verb);

// The whole help: "usage:", then each verb's syntax and what it does.
std::string Usage();

// The help of one verb; nothing when it is no verb.
std::optional<std::string> VerbUsage(std::string_view verb);

// "Unknown command" with the list of verbs.
std::string UnknownCommand(std::string_view verb);

// The tool's name and version, one line.
std::string VersionLine();

// Handles "--help", "-h", "help [VERB]" and "--version" as the first argument; the exit code
// when it was one of them.
std::optional<int> RunHelp(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tidewell::cli
