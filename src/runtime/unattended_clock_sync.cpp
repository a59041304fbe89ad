#include "runtime/unattended_clock_sync.h"

#include <utility>

namespace tidewell {

std::string ChooseTimeServerName(std::string_view programPath, const std::vector<std::string>& names) {
    std::size_t count = 0;
    while (count < names.size() && count < kMaxTimeServerNames && !names[count].empty()) ++count;
    if (count == 0) return {};
    // Digits beyond the list's reach cannot change the outcome; stop before the number overflows.
    std::size_t index = 0;
    for (const char digit : programPath) {
        if (digit < '0' || digit > '9') break;
        index = index * 10 + static_cast<std::size_t>(digit - '0');
        if (index >= count) {
            index = 0;
            break;
        }
    }
    return names[index];
}

UnattendedClockSync::UnattendedClockSync(ClockSyncConfig config, ClockSyncPorts ports, DoneFunction done)
    : m_config(std::move(config)), m_ports(ports), m_done(std::move(done)) {}

UnattendedClockSync::~UnattendedClockSync() = default;

bool UnattendedClockSync::SynchronizeClockUnattended(const std::string& serverName) {
    m_lastServerName = serverName;
    if (Running()) return true;
    // The previous worker has ended: releasing it only joins a finished thread.
    m_worker.reset();
    auto report = [done = m_done](const ServerThreadReport& ended) {
        if (done) done(ended.outcome);
    };
    m_worker = std::make_unique<CServerThread>(m_config, m_ports, std::move(report));
    return true;
}

}  // namespace tidewell
