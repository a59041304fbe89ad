#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "base/result.h"
#include "platform/cancel_flag.h"

namespace tidewell {

// One open TCP connection; closed when the object goes.
class StreamConnection {
public:
    virtual ~StreamConnection() = default;
    // Waits at most `timeout` for bytes and appends what one receive gives, at most `maxBytes`.
    // Success with nothing appended means the peer has closed the connection.
    virtual Result Receive(std::size_t maxBytes, std::chrono::milliseconds timeout, const CancelFlag& cancel,
                           std::string& bytes) = 0;
};

// Outgoing TCP connections to IPv4 addresses. Tests run it against servers on loopback.
class NetworkPort {
public:
    virtual ~NetworkPort() = default;
    // Connects to a dotted IPv4 address (never a name to look up) within `timeout`.
    // The connection is set only on success.
    virtual Result Connect(const std::string& address, uint16_t port, std::chrono::milliseconds timeout,
                           const CancelFlag& cancel, std::unique_ptr<StreamConnection>& connection) = 0;
};

}  // namespace tidewell
