#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tidewell {

// Some rows hold several captions, one per CR LF separated line: the Windows operations
// (IDS_TIDEWELL_TTS_OPERATION_LIST, IDS_DIALOG_SHUT_DOWN_PROMPT_LIST,
// IDS_DIALOG_SHUT_DOWN_RIGHT_NOW_LIST, one line per operation code 0..6), the option page
// labels, the macro part labels, the month selector below.

// Line `index` (from 0) of a row in the current language; empty beyond the last line.
std::string LoadMessageLine(int32_t id, std::size_t index);

// Lines of the month selector row IDS_TIDEWELL_STMT_STRINGS.
inline constexpr std::size_t kMonthSelectorEveryMonthLine = 0;    // "Every month"
inline constexpr std::size_t kMonthSelectorFullNameLine = 1;      // January .. December
inline constexpr std::size_t kMonthSelectorShortNameLine = 13;    // Jan .. Dec
inline constexpr std::size_t kMonthSelectorWeekOrdinalLine = 25;  // "First week" .. "Last week"
inline constexpr std::size_t kMonthSelectorFormatLine = 30;       // names of the two month formats
inline constexpr std::size_t kMonthSelectorDayNumberFormLine = 32;
inline constexpr std::size_t kMonthSelectorWeekdayFormLine = 33;
inline constexpr std::size_t kMonthSelectorLineCount = 34;

// Month-name formats of the yearly and monthly descriptions ("m_nYearlySummaryMonthFormat").
inline constexpr int kMonthFormatShort = 0;
inline constexpr int kMonthFormatFull = 1;

// The caption of an entry that covers every month.
std::string EveryMonthCaption();
// Month 1..12 in a month-name format (any other format counts as short); empty outside 1..12.
std::string MonthName(int month, int format);
// Week ordinal 1..4, 5 = last week; empty outside 1..5.
std::string WeekOrdinalName(int ordinal);
// The name of a month-name format, for the options page; empty for an unknown format.
std::string MonthFormatName(int format);
// Weekday 1 = Monday .. 7 = Sunday; empty outside 1..7.
std::string WeekdayName(int mondayBasedDay);

// A command prompt: the status-bar text and the tool tip. The separator is the first
// backslash-n pair, else the first line feed; a text without either is both parts.
struct CommandPrompt {
    std::string status;
    std::string toolTip;
};
CommandPrompt SplitCommandPrompt(std::string_view text);

}  // namespace tidewell
