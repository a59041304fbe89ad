#pragma once

#include <string_view>

#include "config/settings_keys.h"
#include "platform/settings_port.h"

namespace tidewell {

// The settings the Options dialog edits; their keys are in config/settings_keys.h.
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
// Stores every value (switches as 1 or 0), in one batch; fails when they could not be stored.
Result WriteProgramOptions(SettingsPort& settings, const ProgramOptions& options);

}  // namespace tidewell
