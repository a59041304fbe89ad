#pragma once

#include <string_view>

#include "platform/settings_port.h"

namespace tidewell {

// The settings the Options dialog edits, with their registry sections and value names.
namespace option_keys {
inline constexpr std::string_view kConfigSection = "Tidewell\\Config";
inline constexpr std::string_view kAutoSave = "AutoSave";
inline constexpr std::string_view kErrorReminderFile = "Error Reminder - File";
inline constexpr std::string_view kErrorReminderMusic = "Error Reminder - Music";
inline constexpr std::string_view kUpdateSection = "Update";
inline constexpr std::string_view kAutoUpdate = "m_bEnableAutoUpdate";
inline constexpr std::string_view kScheduleSection = "Schedule";
inline constexpr std::string_view kYearlySummaryUseRange = "m_bYearlySummaryUseRange";
inline constexpr std::string_view kYearlySummaryMonthFormat = "m_nYearlySummaryMonthFormat";
}  // namespace option_keys

struct ProgramOptions {
    bool autoSave = true;
    bool remindFileErrors = true;
    bool remindMusicErrors = true;
    bool autoUpdate = true;
    bool yearlySummaryUseRange = true;
    int yearlySummaryMonthFormat = 0;  // 0 short month names, 1 full names

    bool operator==(const ProgramOptions&) const = default;
};

// Each value with its default when missing. AutoSave and the reminders are on only when stored
// as 1; auto-update and ranges are on unless stored as 0; a month format other than 0 or 1 is 0.
ProgramOptions ReadProgramOptions(SettingsPort& settings);
// Stores every value (switches as 1 or 0); false when one could not be written.
bool WriteProgramOptions(SettingsPort& settings, const ProgramOptions& options);

}  // namespace tidewell
