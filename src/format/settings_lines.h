#pragma once

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "format/settings_text.h"

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

// Small rules used for every line, kept inline.

inline bool IsTrimChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A plain loop: find_first_of calls memchr once per character, which shows in key lookups.
inline bool HasAnyOf(std::string_view text, std::string_view set) {
    for (const char c : text) {
        for (const char s : set) {
            if (c == s) {
                return true;
            }
        }
    }
    return false;
}

inline std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimChar(text[begin])) {
        ++begin;
    }
    while (end > begin && IsTrimChar(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

inline void TrimInPlace(std::string& text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.size() == text.size()) {
        return;
    }
    const std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
    text.erase(begin + trimmed.size());
    text.erase(0, begin);
}

inline bool CannotBeSectionName(std::string_view trimmed) {
    return HasAnyOf(trimmed, "=\r\n");
}

inline bool IsCommentText(std::string_view trimmed) {
    return !trimmed.empty() && trimmed.front() == kCommentMark;
}

// "key = {{Block}}" opens a block; the suffix alone does not.
inline bool IsBlockHeaderText(std::string_view trimmed) {
    return trimmed.size() > kBlockHeaderSuffix.size() && trimmed.ends_with(kBlockHeaderSuffix);
}

// The text before the first " = ", the part every key matching the line shares.
inline bool KeyHead(std::string_view line, std::string_view& head) {
    const std::size_t separator = line.find(kSettingsKeySeparator);
    if (separator == std::string_view::npos) {
        return false;
    }
    head = line.substr(0, separator);
    return true;
}

// A line break in a key would split its line on disk.
inline std::string_view CleanKey(std::string_view key, std::string& buffer) {
    if (key.find('\n') == std::string_view::npos && key.find('\r') == std::string_view::npos) {
        return key;
    }
    buffer.clear();
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (key[i] == '\r' && i + 1 < key.size() && key[i + 1] == '\n') {
            buffer += kKeyLineBreakStandIn;
            ++i;
        } else if (key[i] == '\n') {
            buffer += kKeyLineBreakStandIn;
        } else {
            buffer += key[i];
        }
    }
    return buffer;
}

// The index entry a key's lines are filed under: the text before the first " = " of key + " = ".
inline std::string_view LookupHead(std::string_view key, std::string& buffer) {
    if (key.find('=') == std::string_view::npos) {
        return key;
    }
    buffer.assign(key);
    buffer += kSettingsKeySeparator;
    return std::string_view(buffer).substr(0, buffer.find(kSettingsKeySeparator));
}

inline bool StartsWithKey(std::string_view line, std::string_view key) {
    return line.size() >= key.size() + kSettingsKeySeparator.size() && line.starts_with(key) &&
           line.substr(key.size(), kSettingsKeySeparator.size()) == kSettingsKeySeparator;
}

// Like atoi, but a number beyond the int range saturates instead of being undefined.
inline int ParseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(kCap, magnitude * 10 + (text[i] - '0'));
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(signedValue, INT_MIN, INT_MAX));
}

// True when the value holds "true" anywhere.
inline bool ParseBool(std::string_view text) {
    return text.find(kTrue) != std::string_view::npos;
}

// The normalized layout, built line by line: lines trimmed, empty ones dropped, one empty line
// before every section line but a first line.
inline void AppendNormalized(std::vector<std::string>& lines, std::string line) {
    TrimInPlace(line);
    if (line.empty()) {
        return;
    }
    if (!lines.empty() && IsSettingsSectionLine(line)) {
        lines.emplace_back();
    }
    lines.push_back(std::move(line));
}

std::string UnescapeBlock(std::string text);
// A multi-line value, or one the reader would take for a block header, goes to disk as a block.
bool NeedsBlock(std::string_view line);
void AppendBlock(std::string& out, std::string_view line);
// One empty line sets a trailing comment block apart from the last other line.
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
