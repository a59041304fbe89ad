#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/settings_text.h"
#include "text/result.h"

// The line rules of the settings text format that the document and the writer share: trimming,
// section and key lines, blocks of multi-line values, the normalized layout and the bytes on disk.
namespace tidewell::settings_lines {

inline constexpr std::string_view kBlockHeaderSuffix = " = {{Block}}";
inline constexpr std::string_view kBlockMarker = "{{Block}}";
inline constexpr std::string_view kBlockStart = "<B Start>";
inline constexpr std::string_view kBlockEnd = "<B End>";
inline constexpr std::string_view kKeyLineBreakStandIn = "    ";
inline constexpr std::string_view kTrue = "true";
inline constexpr std::string_view kFalse = "false";
inline constexpr char kCommentMark = ';';
inline constexpr char kSectionOpen = '[';
inline constexpr char kSectionClose = ']';
inline constexpr std::size_t kMaxHeaderLines = 50;
// Inside a block every "<" and ">" is doubled, so no content line can read as a marker.
inline constexpr std::string_view kAngleOpen = "<";
inline constexpr std::string_view kAngleClose = ">";
inline constexpr std::string_view kEscapedAngleOpen = "<<";
inline constexpr std::string_view kEscapedAngleClose = ">>";

// Calls `take` for every line of `text`: lines end at LF, a CR before the LF is dropped, and
// text after the last line end is a line too.
template <typename Take>
void ForEachLine(std::string_view text, Take&& take) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (end != std::string_view::npos && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        take(line);
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
}

std::string_view Trim(std::string_view text);  // blanks, tabs, CR and LF at both ends
void TrimInPlace(std::string& text);
// A name holding "=" or a line break is never a section.
bool CannotBeSectionName(std::string_view trimmed);
bool IsCommentText(std::string_view trimmed);
// "key = {{Block}}" opens a block; the suffix alone does not.
bool IsBlockHeaderText(std::string_view trimmed);
// The text before the first " = ", the part every key matching the line shares.
bool KeyHead(std::string_view line, std::string_view& head);
// The key with each line break as four blanks (`buffer` holds it when changed).
std::string_view CleanKey(std::string_view key, std::string& buffer);
// The index entry a key's lines are filed under.
std::string_view LookupHead(std::string_view key, std::string& buffer);
bool StartsWithKey(std::string_view line, std::string_view key);
std::string UnescapeBlock(std::string text);
// A multi-line value, or one the reader would take for a block header, goes to disk as a block.
bool NeedsBlock(std::string_view line);
void AppendBlock(std::string& out, std::string_view line);
// Like atoi, but a number beyond the int range saturates.
int ParseInt(std::string_view text);
// True when the value holds "true" anywhere (case matters).
bool ParseBool(std::string_view text);
// The normalized layout, line by line: trimmed, empty lines dropped, one empty line before every
// section but a first line; FinishNormalized sets a trailing comment block apart.
void AppendNormalized(std::vector<std::string>& lines, std::string line);
void FinishNormalized(std::vector<std::string>& lines);
// The bytes of normalized lines on disk: CR LF line ends, multi-line values as blocks.
std::string DiskBytes(const std::vector<std::string>& lines);
// Creates the missing folders and replaces the file durably.
Result SaveBytes(const std::string& path, const std::string& bytes);
// The header's comment lines, at most kMaxHeaderLines, followed by one empty line.
std::vector<std::string> HeaderLines(std::string_view text);
// The key line a write stores; false for a blank key.
bool KeyLine(std::string_view key, std::string_view value, std::string& line);

}  // namespace tidewell::settings_lines
