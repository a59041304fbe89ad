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

// Starts the program (see LinuxLauncher). Returns 0 once it runs, or the errno value that kept it
// from running; the answer is known when this returns, the failure of its exec included.
int SpawnDetached(const SpawnRequest& request);

// Like SpawnDetached, and `statusFd` becomes readable once the program has ended: it then holds
// the program's wait status (an int), or nothing when that could not be learned. The caller
// closes it. On failure it stays -1.
int SpawnFollowed(const SpawnRequest& request, int& statusFd);

// Blocks until every program started so far has ended and been reaped. For tests: a started
// program must never stay behind as a zombie.
void WaitForStartedChildren();

}  // namespace tidewell
