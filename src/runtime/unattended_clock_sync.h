#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/server_thread.h"

namespace tidewell {

// At most this many time server names are configured.
inline constexpr std::size_t kMaxTimeServerNames = 5;

// The time server a clock synchronization task names: the leading decimal digits of its program
// path (0 when there are none) index the configured names, a list that ends at its first empty
// name or after kMaxTimeServerNames. An index outside the list takes the first name; no names
// give the empty text.
std::string ChooseTimeServerName(std::string_view programPath, const std::vector<std::string>& names);

// Clock synchronization for scheduled tasks: no dialog, and the user-interface thread never
// waits for the network (the pass runs on a worker).
class UnattendedClockSync {
public:
    using DoneFunction = std::function<void(const ClockSyncOutcome&)>;

    // `done` (may be empty) runs on the worker thread after each pass that was not cancelled.
    UnattendedClockSync(ClockSyncConfig config, ClockSyncPorts ports, DoneFunction done = {});
    // Cancels a running pass and waits for its worker.
    ~UnattendedClockSync();

    // Starts a synchronization unless one is already under way, and reports success: the clock
    // will be synchronized. The servers of the configuration are asked whatever the name; it is
    // kept for the record.
    bool SynchronizeClockUnattended(const std::string& serverName);
    bool Running() const { return m_worker && !m_worker->Finished(); }
    const std::string& LastServerName() const { return m_lastServerName; }

private:
    ClockSyncConfig m_config;
    ClockSyncPorts m_ports;
    DoneFunction m_done;
    std::string m_lastServerName;
    std::unique_ptr<CServerThread> m_worker;
};

}  // namespace tidewell
