#pragma once

#include <string>

#include "base/result.h"

namespace tidewell {

// Starts what a task or a command names. Tests replace it with a recording launcher.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a document, a folder or a URL with the desktop's opener.
    virtual Result Open(const std::string& target) = 0;
    // Starts the executable `program` with `parameters` split into arguments as a shell splits
    // words, but never through a shell; `folder` is its working folder (empty: the program's own).
    // The child is detached: it never becomes a zombie of this process.
    virtual Result Start(const std::string& program, const std::string& parameters,
                         const std::string& folder) = 0;
};

}  // namespace tidewell
