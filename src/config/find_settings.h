#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_port.h"

namespace tidewell {

// The Find dialog's options and its history of find texts in the settings registry.
namespace find_keys {
inline constexpr std::string_view kSection = "Find";
inline constexpr std::string_view kMatchWholeWord = "Match Whole Word";
inline constexpr std::string_view kMatchCase = "Match Case";
inline constexpr std::string_view kCloseWhenDone = "Close When Done";
inline constexpr std::string_view kUp = "Up";
inline constexpr std::string_view kStartFromCurrent = "Start From Current";
inline constexpr const char* kHistoryFormat = "Find String %d";
}  // namespace find_keys

// The history keeps at most this many texts, and reads back this many values.
inline constexpr std::size_t kFindHistoryStored = 20;
inline constexpr std::size_t kFindHistoryRead = 50;

struct FindDialogSettings {
    bool wholeWord = false;
    bool matchCase = false;
    bool closeWhenDone = false;
    bool up = false;
    bool startFromCurrent = true;
};

// "Find String 7" for number 7.
std::string FindHistoryKey(int number);

// The options: each of the first four is on only when stored as 1; start-from-current is on
// unless stored as 0.
FindDialogSettings ReadFindSettings(SettingsPort& settings);
Result WriteFindSettings(SettingsPort& settings, const FindDialogSettings& options);

// The texts of "Find String 0" to "Find String 49" in order, empty ones and repeats skipped.
std::vector<std::string> ReadFindHistory(SettingsPort& settings);
// Stores the first texts (at most 20, empty ones dropped) as "Find String 0" onwards, and
// empties the remaining numbers up to 19.
Result WriteFindHistory(SettingsPort& settings, const std::vector<std::string>& history);

// The history after a search for `text`: the text at the top, an equal entry removed first.
std::vector<std::string> PushFindHistory(std::vector<std::string> history, std::string_view text);

}  // namespace tidewell
