#pragma once

#include <string>
#include <vector>

namespace tidewell {

struct SpawnRequest {
    std::string program;  // a path, or a name to look up on PATH when searchPath
    bool searchPath = false;
    std::vector<std::string> argv;  // argv[0] included
    std::string folder;             // working folder of the child; empty: this process's
};

// Starts the program detached (see LinuxLauncher). Returns 0 once it runs, or the errno value
// that kept it from running.
int SpawnDetached(const SpawnRequest& request);

}  // namespace tidewell
