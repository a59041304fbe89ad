#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "time/date_time.h"

namespace tidewell {

// A log file holding more than this many bytes is started anew by the next line.
inline constexpr std::uint64_t kLogByteLimit = 10'000'000;
// Characters kept of a line's first text, and of both texts together.
inline constexpr std::size_t kLogFirstTextChars = 50;
inline constexpr std::size_t kLogTextChars = 370;
// A line is kept to one character less than this.
inline constexpr std::size_t kLogLineChars = 400;

// Messages that stand for a fixed line without a time.
inline constexpr std::string_view kLogBlankMarker = "_DEBUG_BLANK";
inline constexpr std::string_view kLogProgramStartMarker = "_PROGRAM_START";
inline constexpr std::string_view kLogProgramEndMarker = "_PROGRAM_END";
inline constexpr std::string_view kLogProgramStartLine = "***** Program Start *****";
inline constexpr std::string_view kLogProgramEndLine = "***** Program End *****";

inline constexpr const char* kLogTimeFormat = kStorageFormat;
inline constexpr std::string_view kLogLineEnd = "\r\n";

// The line for (first, second) at `now`, without its end: "time TAB second" when first is
// empty, "time TAB first TAB second" when both are given, "time TAB first" when second is empty;
// a marker as second gives its fixed line. first keeps its first 50 characters, second its
// first 370 minus those of first. Characters are UTF-8 characters and are never split.
std::string FormatLogLine(const DateTime& now, std::string_view first, std::string_view second);

// Appends the line and CR LF to the file, keeping the line to its first 399 characters. A file
// holding more than `byteLimit` bytes is started anew with this line.
Result AppendLine(const std::string& path, std::string_view line, std::uint64_t byteLimit);

// FormatLogLine, then AppendLine with kLogByteLimit.
Result WriteLogLine(const std::string& path, std::string_view first, std::string_view second,
                    const DateTime& now);

}  // namespace tidewell
