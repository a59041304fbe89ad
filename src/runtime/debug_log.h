#pragma once

#include <string>
#include <string_view>

#include "time/clock.h"

namespace tidewell {

inline constexpr std::string_view kDebugLogFileName = "debug_tidewell.log";
// The debug log is written only when this file is in the config folder of the program folder
// at start-up.
inline constexpr std::string_view kDebugSwitchFileName = "tidewell_debug_info";

// Where the switch file is looked for.
std::string DebugSwitchPath(std::string_view programDir);
// Whether the switch file is there; read once at start-up.
bool DebugSwitchPresent(std::string_view programDir);

// The developer's trace "debug_tidewell.log" in the program data directory.
class DebugLog {
public:
    // `enabled` is the switch as read at start-up: without it no file is ever created.
    DebugLog(std::string_view programDataDir, bool enabled, const Clock& clock);

    bool Enabled() const { return m_enabled; }
    const std::string& Path() const { return m_path; }

    // Appends "time TAB location TAB message", or the line of a marker message
    // (kLogBlankMarker, kLogProgramStartMarker, kLogProgramEndMarker). Returns whether a line was
    // written: false when the switch is off or the file cannot be written. Nobody is told of a
    // failure: a trace must never disturb what it traces.
    bool DebugTrace(std::string_view location, std::string_view message) const;

private:
    std::string m_path;
    bool m_enabled;
    const Clock& m_clock;
};

}  // namespace tidewell
