#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "time/date_time.h"

namespace tidewell::cli {

inline constexpr int kMaxCount = 10000;

struct Options {
    std::string command;  // "list", "upcoming" or "check"
    std::string file;
    std::string password;
    std::optional<DateTime> now;   // list, check: the instant to compute from instead of the system clock
    std::optional<DateTime> from;  // upcoming: where the runs start (required)
    int count = 1;
    bool json = false;
};

// Reads a command line (without the program name). Each command takes only its own
// options; on failure the message names what is missing or wrong.
Result ParseOptions(const std::vector<std::string>& arguments, Options& options);

}  // namespace tidewell::cli
