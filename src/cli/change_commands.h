#pragma once

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

}  // namespace tidewell::cli
