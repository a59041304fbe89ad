#pragma once

#include <string>
#include <string_view>

#include "base/result.h"
#include "config/locations.h"

namespace tidewell {

// The start string of a start at logon; the program starts hidden with it.
inline constexpr std::string_view kAutoloadArgument = "autoload";

// The logon start entry: <configHome>/autostart/tidewell.desktop. It starts the program with
// kAutoloadArgument while scheduling is on; while it is off the entry is kept, marked hidden.
inline constexpr std::string_view kAutostartFolderName = "autostart";
inline constexpr std::string_view kAutostartFileName = "tidewell.desktop";
inline constexpr std::string_view kDesktopEntryGroup = "[Desktop Entry]";
inline constexpr std::string_view kDesktopEntryExecKey = "Exec";
inline constexpr std::string_view kDesktopEntryHiddenKey = "Hidden";

std::string AutostartEntryPath(const Locations& locations);

// The Exec value that starts `programPath` with kAutoloadArgument, quoted and escaped as desktop
// entries require. Empty when the path is not absolute or holds a control character (such a
// path cannot be written as one Exec line).
std::string AutostartExecValue(std::string_view programPath);

// The whole entry; empty when AutostartExecValue refuses the path.
std::string AutostartEntryText(std::string_view programPath, bool scheduling);

// Writes the entry durably, creating the autostart folder when missing.
Result WriteAutostartEntry(const std::string& path, std::string_view programPath, bool scheduling);

}  // namespace tidewell
