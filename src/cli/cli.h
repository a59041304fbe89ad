#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tidewell::cli {

// Exit codes of tidewell-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitProblems = 1;    // "check": tasks were dropped
inline constexpr int kExitFailure = 2;     // bad arguments, a missing, damaged or wrongly protected file
inline constexpr int kExitNotRunning = 3;  // a verb for the running program, and none runs

// Runs one command line (without the program name); writes results to out and
// errors to err. Only "add" changes a file.
int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tidewell::cli
