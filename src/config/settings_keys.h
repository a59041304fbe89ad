#pragma once

#include <string_view>

namespace tidewell {

// Sections and values of the program in the settings registry.
namespace app_keys {
inline constexpr std::string_view kAppSection = "Tidewell\\App";
inline constexpr std::string_view kRunCode = "Run Code";
inline constexpr std::string_view kScheduling = "Scheduling";
inline constexpr std::string_view kConfigSection = "Tidewell\\Config";
inline constexpr std::string_view kAutoSave = "AutoSave";
// The error reminders (0/1, default 1): whether an invalid program or file path, or music file
// path, of a task is reported; the reminder's "show this message next time" box switches them off.
inline constexpr std::string_view kFileReminder = "Error Reminder - File";
inline constexpr std::string_view kMusicReminder = "Error Reminder - Music";
inline constexpr std::string_view kSoundSection = "Tidewell\\Sound";
inline constexpr std::string_view kMute = "Mute";
inline constexpr std::string_view kUpdateSection = "Update";
inline constexpr std::string_view kAutoUpdate = "m_bEnableAutoUpdate";
inline constexpr std::string_view kScheduleSection = "Schedule";
inline constexpr std::string_view kYearlySummaryUseRange = "m_bYearlySummaryUseRange";
inline constexpr std::string_view kYearlySummaryMonthFormat = "m_nYearlySummaryMonthFormat";
inline constexpr std::string_view kRootAppSection = "App";
inline constexpr std::string_view kFirstRun = "First Run";  // in the machine-wide root
inline constexpr std::string_view kFirstRunDone = "1";
inline constexpr std::string_view kHideMeSection = "Hide Me";
inline constexpr std::string_view kPromptClickOpen = "Prompt Click Open";
inline constexpr const char* kReleaseNoteFormat = "Release Note %s";  // with the version number
inline constexpr std::string_view kReleaseNoteShown = "1";
}  // namespace app_keys

}  // namespace tidewell
