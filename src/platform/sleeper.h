#pragma once

#include <chrono>

namespace tidewell {

// Waits the program makes on purpose, such as the growing wait after a wrong password.
// Tests replace it with a sleeper that only records the waits.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

}  // namespace tidewell
