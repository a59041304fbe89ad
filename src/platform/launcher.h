#pragma once

#include <string>

#include "base/result.h"

namespace tidewell {

// A desktop opener still running: `fd` becomes readable once it has ended. fd -1: nothing to
// follow, the result of the open said all there is.
struct OpenerWatch {
    int fd = -1;
    std::string target;
};

// Starts what a task or a command names. Tests replace it with a recording launcher.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a document, a folder or a URL with the desktop's opener.
    virtual Result Open(const std::string& target) = 0;
    // Opens like Open and leaves in `watch` what tells how the opener ended (it can find no
    // program for the target only after it started). Never waits for the opener.
    virtual Result OpenFollowed(const std::string& target, OpenerWatch& watch) {
        watch = {};
        return Open(target);
    }
    // Once watch.fd is readable: how the opener ended; the watch is closed.
    virtual Result OpenerEnded(OpenerWatch& watch) {
        watch = {};
        return Result::Ok();
    }
    // Starts the executable `program` with `parameters` split into arguments as a shell splits
    // words, but never through a shell; `folder` is its working folder (empty: the program's own).
    // The child is detached: it never becomes a zombie of this process.
    virtual Result Start(const std::string& program, const std::string& parameters,
                         const std::string& folder) = 0;
};

}  // namespace tidewell
