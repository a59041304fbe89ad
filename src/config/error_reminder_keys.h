#pragma once

#include <string_view>

namespace tidewell {

// The error reminder options (DWORD 0/1, default 1): whether a task's invalid program or file
// path, or music file path, is reported. The reminder's "show this message next time" check box
// switches its option off.
inline constexpr std::string_view kConfigSettingsSection = "Tidewell\\Config";
inline constexpr std::string_view kFileReminderValue = "Error Reminder - File";
inline constexpr std::string_view kMusicReminderValue = "Error Reminder - Music";

}  // namespace tidewell
