#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/sleeper.h"

namespace tidewell::cli {

// The commands that change the schedule; `arguments` follow the command name. Each returns the
// tool's exit code (cli.h).

// Adds a task built from the options to the schedule file, under the file's lock. A wrong
// administrator password is refused after `sleeper` has waited the program's delay.
int RunAdd(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, Sleeper& sleeper);

// The verbs that talk to the running program: status, run-now, pause, resume, enable, disable
// and reload; nothing when the verb is none of them.
std::optional<int> RunControlCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                     std::ostream& err);

// Adds a task through the running program, `options` being those of "add" without the password;
// nothing when no program runs.
std::optional<int> AddThroughProgram(const std::vector<std::string>& options, const std::string& password,
                                     std::ostream& out, std::ostream& err);

}  // namespace tidewell::cli
