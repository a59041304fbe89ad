#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tidewell::testing {

struct CliOutput {
    int status;
    std::string out;
    std::string err;
};

// Runs the tool's commands in this process, catching what they print.
inline CliOutput RunCli(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::Run(arguments, out, err);
    return {status, out.str(), err.str()};
}

// The shipped example schedule.
inline std::string Example() {
    return std::string(TIDEWELL_SOURCE_DIR) + "/examples/schedule.rws";
}

}  // namespace tidewell::testing
