#pragma once

#include "base/result.h"

namespace tidewell {

// The system operations a task can ask for.
enum class PowerOperation {
    suspend,
    hibernate,
    powerOff,
    reboot,
    logOff,      // ends the user's session
    switchUser,  // does nothing
};

// Suspends, powers off or ends the session. Tests replace it with a recording double; nothing
// else in a test may reach the real system.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Asks the system for the operation; `force` goes ahead despite locks that programs hold to
    // delay or block it. Success means the system took the request. Fails with refused (no
    // permission, blocked by a lock), unavailable (not offered here), or another kind, each with
    // a message for the user.
    virtual Result Perform(PowerOperation operation, bool force) = 0;
};

}  // namespace tidewell
