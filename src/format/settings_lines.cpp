#include "format/settings_lines.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "files/folder_tree.h"
#include "files/paths.h"

namespace tidewell::settings_lines {

namespace {

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
    // A folder that cannot be made fails the write, told as the file that could not be written.
    if (!CreateFolders(FolderOf(path)).ok()) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
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
