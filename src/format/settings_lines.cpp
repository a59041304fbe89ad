#include "format/settings_lines.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "files/durable_file.h"
#include "files/folder_tree.h"
#include "files/paths.h"
#include "text/text_util.h"

namespace tidewell::settings_lines {

namespace {

bool IsTrimChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A plain loop: find_first_of calls memchr once per character, which shows in key lookups.
bool HasAnyOf(std::string_view text, std::string_view set) {
    for (const char c : text) {
        for (const char s : set) {
            if (c == s) {
                return true;
            }
        }
    }
    return false;
}

// A bare LF would end the value's line on disk; as CR LF it goes into a block.
void AppendCleanValue(std::string& out, std::string_view value) {
    if (value.find('\n') == std::string_view::npos) {
        out += value;
        return;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\n' && (i == 0 || value[i - 1] != '\r')) {
            out += '\r';
        }
        out += value[i];
    }
}

std::string EscapeBlockLine(std::string_view line) {
    std::string escaped;
    escaped.reserve(line.size());
    for (const char c : line) {
        escaped += c;
        if (c == kAngleOpen.front() || c == kAngleClose.front()) {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string_view Trim(std::string_view text) {
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

void TrimInPlace(std::string& text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.size() == text.size()) {
        return;
    }
    const std::size_t begin = static_cast<std::size_t>(trimmed.data() - text.data());
    text.erase(begin + trimmed.size());
    text.erase(0, begin);
}

bool CannotBeSectionName(std::string_view trimmed) {
    return HasAnyOf(trimmed, "=\r\n");
}

bool IsCommentText(std::string_view trimmed) {
    return !trimmed.empty() && trimmed.front() == kCommentMark;
}

// "key = {{Block}}" opens a block; the suffix alone does not.
bool IsBlockHeaderText(std::string_view trimmed) {
    return trimmed.size() > kBlockHeaderSuffix.size() && trimmed.ends_with(kBlockHeaderSuffix);
}

// The text before the first " = ", the part every key matching the line shares.
bool KeyHead(std::string_view line, std::string_view& head) {
    const std::size_t separator = line.find(kSettingsKeySeparator);
    if (separator == std::string_view::npos) {
        return false;
    }
    head = line.substr(0, separator);
    return true;
}

// A line break in a key would split its line on disk.
std::string_view CleanKey(std::string_view key, std::string& buffer) {
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
std::string_view LookupHead(std::string_view key, std::string& buffer) {
    if (key.find('=') == std::string_view::npos) {
        return key;
    }
    buffer.assign(key);
    buffer += kSettingsKeySeparator;
    return std::string_view(buffer).substr(0, buffer.find(kSettingsKeySeparator));
}

bool StartsWithKey(std::string_view line, std::string_view key) {
    return line.size() >= key.size() + kSettingsKeySeparator.size() && line.starts_with(key) &&
           line.substr(key.size(), kSettingsKeySeparator.size()) == kSettingsKeySeparator;
}

std::string UnescapeBlock(std::string text) {
    return ReplaceAll(ReplaceAll(std::move(text), kEscapedAngleOpen, kAngleOpen), kEscapedAngleClose,
                      kAngleClose);
}

// A multi-line value, and a one-line value the reader would take for a block header, go to disk
// as a block.
bool NeedsBlock(std::string_view line) {
    return line.find('\n') != std::string_view::npos || IsBlockHeaderText(Trim(line));
}

void AppendBlock(std::string& out, std::string_view line) {
    // Every such line keeps " = " after its non-blank key (see WriteString and Assemble); should
    // one ever lack it, it still goes out as one line rather than as stray lines.
    const std::size_t separator = line.find(kSettingsKeySeparator);
    if (separator == std::string_view::npos) {
        std::string buffer;
        out.append(CleanKey(line, buffer));
        out.append(kSettingsLineBreak);
        return;
    }
    out.append(line.substr(0, separator));
    out.append(kBlockHeaderSuffix);
    out.append(kSettingsLineBreak);
    out.append(kBlockStart);
    out.append(kSettingsLineBreak);
    std::string_view value = line.substr(separator + kSettingsKeySeparator.size());
    for (;;) {
        const std::size_t end = value.find(kSettingsLineBreak);
        out.append(EscapeBlockLine(value.substr(0, end)));
        out.append(kSettingsLineBreak);
        if (end == std::string_view::npos) {
            break;
        }
        value.remove_prefix(end + kSettingsLineBreak.size());
    }
    out.append(kBlockEnd);
    out.append(kSettingsLineBreak);
}

// Like atoi, but a number beyond the int range saturates instead of being undefined.
int ParseInt(std::string_view text) {
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
bool ParseBool(std::string_view text) {
    return text.find(kTrue) != std::string_view::npos;
}

// The normalized layout, built line by line: lines trimmed, empty ones dropped, one empty line
// before every section line but a first line.
void AppendNormalized(std::vector<std::string>& lines, std::string line) {
    TrimInPlace(line);
    if (line.empty()) {
        return;
    }
    if (!lines.empty() && IsSettingsSectionLine(line)) {
        lines.emplace_back();
    }
    lines.push_back(std::move(line));
}

// One empty line sets a trailing comment block apart from the last other line.
void FinishNormalized(std::vector<std::string>& lines) {
    std::size_t trailingComments = lines.size();
    while (trailingComments > 0 && IsCommentText(lines[trailingComments - 1])) {
        --trailingComments;
    }
    if (trailingComments > 0 && trailingComments < lines.size()) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(trailingComments), std::string());
    }
}

// The bytes of normalized lines on disk: CR LF line ends, multi-line values as blocks.
std::string DiskBytes(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + kSettingsLineBreak.size();
    }
    std::string out;
    out.reserve(size);
    for (const std::string& line : lines) {
        if (NeedsBlock(line)) {
            AppendBlock(out, line);
        } else {
            out += line;
            out += kSettingsLineBreak;
        }
    }
    return out;
}

Result SaveBytes(const std::string& path, const std::string& bytes) {
    (void)CreateFolders(FolderOf(path));  // a folder that cannot be made fails the write
    return WriteFileDurably(path, bytes);
}

// The header's comment lines, at most kMaxHeaderLines, followed by one empty line.
std::vector<std::string> HeaderLines(std::string_view text) {
    std::vector<std::string> header;
    ForEachLine(text, [&](std::string_view piece) {
        if (header.size() < kMaxHeaderLines) {
            std::string line(1, kCommentMark);
            line += piece;
            header.push_back(std::move(line));
        }
    });
    header.emplace_back();
    return header;
}

// The key line WriteString stores: key line breaks as blanks, bare LF in the value as CR LF.
bool KeyLine(std::string_view key, std::string_view value, std::string& line) {
    std::string keyBuffer;
    const std::string_view cleanKey = CleanKey(key, keyBuffer);
    // A blank key would lose its " = " to trimming and leave its value lines without a key.
    if (Trim(cleanKey).empty()) {
        return false;
    }
    line.clear();
    line.reserve(cleanKey.size() + kSettingsKeySeparator.size() + value.size());
    line += cleanKey;
    line += kSettingsKeySeparator;
    AppendCleanValue(line, value);
    return true;
}

}  // namespace tidewell::settings_lines
