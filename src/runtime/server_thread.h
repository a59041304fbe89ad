#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "runtime/clock_sync.h"

namespace tidewell {

// The message number a report stands for (the dialog's user message 115).
inline constexpr uint32_t kServerThreadMessage = 0x0400 + 115;
// lParam of a failed pass: the high word set, the low word an error code (none here).
inline constexpr int64_t kServerThreadFailure = 0x10000;

// What the worker tells its owner when a pass has ended.
struct ServerThreadReport {
    uint32_t message = kServerThreadMessage;
    uint64_t wParam = 0;
    int64_t lParam = 0;  // 0 after success, kServerThreadFailure after a failure
    ClockSyncOutcome outcome;
};

enum class ServerThreadState : int { created = 0, working = 1, done = 2, failed = 4 };

// One clock synchronization on a thread of its own, for a window that must not wait for it.
class CServerThread {
public:
    using ReportFunction = std::function<void(const ServerThreadReport&)>;

    // Starts the pass at once. `report` runs once on the worker thread when the pass ends, unless
    // the pass was cancelled: a cancelling owner is going away and wants nothing more. The ports
    // must outlive this object.
    CServerThread(ClockSyncConfig config, ClockSyncPorts ports, ReportFunction report);
    // Cancels and waits for the worker, which notices within one short wait slice.
    ~CServerThread();
    CServerThread(const CServerThread&) = delete;
    CServerThread& operator=(const CServerThread&) = delete;

    void Cancel() { m_cancel.Cancel(); }
    ServerThreadState State() const { return m_state.load(); }
    // True once the pass has ended and its report (if any) has returned.
    bool Finished() const {
        const ServerThreadState state = State();
        return state == ServerThreadState::done || state == ServerThreadState::failed;
    }

private:
    void Run();

    ClockSyncConfig m_config;
    ClockSyncPorts m_ports;
    ReportFunction m_report;
    CancelFlag m_cancel;
    std::atomic<ServerThreadState> m_state{ServerThreadState::created};
    std::thread m_thread;  // last: starts when everything above is ready
};

}  // namespace tidewell
