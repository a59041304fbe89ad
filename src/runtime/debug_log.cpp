#include "runtime/debug_log.h"

#include <sys/stat.h>

#include "config/locations.h"
#include "runtime/log_line.h"

namespace tidewell {

std::string DebugSwitchPath(std::string_view programDir) {
    return JoinPath(JoinPath(programDir, kConfigFolderName), kDebugSwitchFileName);
}

bool DebugSwitchPresent(std::string_view programDir) {
    struct stat info {};
    return !programDir.empty() && ::stat(DebugSwitchPath(programDir).c_str(), &info) == 0;
}

DebugLog::DebugLog(std::string_view programDataDir, bool enabled, const Clock& clock)
    : m_path(JoinPath(programDataDir, kDebugLogFileName)), m_enabled(enabled), m_clock(clock) {}

bool DebugLog::DebugTrace(std::string_view location, std::string_view message) const {
    if (!m_enabled) {
        return false;
    }
    return WriteLogLine(m_path, location, message, m_clock.Now()).ok();
}

}  // namespace tidewell
