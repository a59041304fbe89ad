#include "runtime/server_thread.h"

#include <utility>

namespace tidewell {

CServerThread::CServerThread(ClockSyncConfig config, ClockSyncPorts ports, ReportFunction report)
    : m_config(std::move(config)),
      m_ports(ports),
      m_report(std::move(report)),
      m_state(ServerThreadState::working),
      m_thread(&CServerThread::Run, this) {}

CServerThread::~CServerThread() {
    m_cancel.Cancel();
    if (m_thread.joinable()) m_thread.join();
}

void CServerThread::Run() {
    ServerThreadReport report;
    report.outcome = SynchronizeClock(m_config, m_ports, m_cancel);
    const bool succeeded = report.outcome.result.ok();
    if (!succeeded) report.lParam = kServerThreadFailure;
    if (m_report && report.outcome.result.kind() != ErrorKind::cancelled) m_report(report);
    m_state.store(succeeded ? ServerThreadState::done : ServerThreadState::failed);
}

}  // namespace tidewell
