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

// Like SpawnDetached, but the intermediate process stays until the program has ended and then
// writes its wait status (an int) to `statusFd`, which the caller reads once it is readable and
// closes; the caller also reaps `intermediate`. On failure both stay -1.
int SpawnFollowed(const SpawnRequest& request, int& statusFd, int& intermediate);

}  // namespace tidewell
