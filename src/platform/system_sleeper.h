#pragma once

#include "platform/sleeper.h"

namespace tidewell {

// Waits on the system's clock, also through interruptions by signals.
class SystemSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

}  // namespace tidewell
