#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tidewell::cli {

// The commands that show a schedule in words; `arguments` follow the command name. Each returns
// the tool's exit code (cli.h) and never changes the file or the user's settings.

// Runs the command when it is one of these (describe, stats, agenda); nothing otherwise.
std::optional<int> RunViewCommand(const std::vector<std::string>& arguments, std::ostream& out,
                                  std::ostream& err);

// Each task's description as the wizard's summary page shows it.
int RunDescribe(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
// The schedule statistics report.
int RunStats(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
// The runs of every task inside a range or a Quick View of the user, in time order.
int RunAgenda(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

// A dry run of the scheduling passes over a range, printing each run as it would happen.
int RunSimulate(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tidewell::cli
