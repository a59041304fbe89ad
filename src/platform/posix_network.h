#pragma once

#include "platform/network_port.h"

namespace tidewell {

// Non-blocking POSIX sockets; every wait is a poll in short slices so a cancel ends it.
// Safe to use from several threads at once (it keeps no state).
class PosixNetwork final : public NetworkPort {
public:
    Result Connect(const std::string& address, uint16_t port, std::chrono::milliseconds timeout,
                   const CancelFlag& cancel, std::unique_ptr<StreamConnection>& connection) override;
};

}  // namespace tidewell
