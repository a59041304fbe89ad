#include "format/settings_text.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "files/durable_file.h"
#include "files/folder_tree.h"
#include "files/paths.h"
#include "files/whole_file.h"
#include "text/text_util.h"

namespace tidewell {

namespace {

constexpr std::string_view kBlockHeaderSuffix = " = {{Block}}";
constexpr std::string_view kBlockMarker = "{{Block}}";
constexpr std::string_view kBlockStart = "<B Start>";
constexpr std::string_view kBlockEnd = "<B End>";
constexpr std::string_view kKeyLineBreakStandIn = "    ";
constexpr std::string_view kTrue = "true";
constexpr std::string_view kFalse = "false";
constexpr char kCommentMark = ';';
constexpr char kSectionOpen = '[';
constexpr char kSectionClose = ']';
constexpr std::size_t kMaxHeaderLines = 50;
// Inside a block every "<" and ">" is doubled, so no content line can read as a marker.
constexpr std::string_view kAngleOpen = "<";
constexpr std::string_view kAngleClose = ">";
constexpr std::string_view kEscapedAngleOpen = "<<";
constexpr std::string_view kEscapedAngleClose = ">>";

bool IsTrimChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

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

// A typed value read through `readText`, or the default when the key is missing.
template <typename ReadText, typename Parse, typename T>
bool ReadTyped(ReadText readText, Parse parse, T defaultValue, T& value) {
    std::string text;
    if (!readText(text)) {
        value = defaultValue;
        return false;
    }
    value = parse(text);
    return true;
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

}  // namespace

bool IsSettingsSectionLine(std::string_view trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == kSectionOpen && trimmed.back() == kSectionClose &&
           trimmed.find('=') == std::string_view::npos;
}

bool SettingsText::LoadFromFile(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);  // an unreadable file leaves `bytes` empty
    Assemble(bytes);
    m_source = Source::File;
    return true;
}

bool SettingsText::LoadFromString(std::string_view text) {
    Assemble(text);
    m_source = Source::String;
    return true;
}

void SettingsText::Assemble(std::string_view text) {
    // Assembled straight into the normalized layout: one pass, no second copy of the lines.
    m_lines.clear();
    m_lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    bool inBlock = false;
    bool firstContentLine = false;
    std::string pending;
    std::size_t contentStart = 0;
    const auto closeBlock = [&] {
        // Only the content was escaped; the key keeps its text.
        std::string content = UnescapeBlock(pending.substr(contentStart));
        pending.resize(contentStart);
        pending += content;
        AppendNormalized(m_lines, std::move(pending));
        pending.clear();
        inBlock = false;
    };
    ForEachLine(text, [&](std::string_view line) {
        const std::string_view trimmed = Trim(line);
        if (!inBlock) {
            if (IsBlockHeaderText(trimmed)) {
                pending.assign(trimmed.substr(0, trimmed.size() - kBlockMarker.size()));
                contentStart = pending.size();
                inBlock = true;
                firstContentLine = true;
            } else {
                AppendNormalized(m_lines, std::string(trimmed));
            }
            return;
        }
        if (trimmed == kBlockStart) {
            return;
        }
        if (trimmed == kBlockEnd) {
            closeBlock();
            return;
        }
        if (!firstContentLine) {
            pending += kSettingsLineBreak;
        }
        pending += line;
        firstContentLine = false;
    });
    if (inBlock) {
        closeBlock();
    }
    FinishNormalized(m_lines);
    RebuildIndex();
}

std::string SettingsText::SaveToString() {
    Normalize();
    return DiskBytes(m_lines);
}

Result SettingsText::SaveToFile(const std::string& path) {
    return SaveBytes(path, SaveToString());
}

void SettingsText::Clear() {
    m_lines.clear();
    RebuildIndex();
}

void SettingsText::Normalize() {
    std::vector<std::string> lines;
    lines.reserve(m_lines.size() + m_sectionLines.size() + 1);
    for (std::string& line : m_lines) {
        AppendNormalized(lines, std::move(line));
    }
    FinishNormalized(lines);
    m_lines = std::move(lines);
    RebuildIndex();
}

int SettingsText::FindSectionOrdinal(std::string_view name) const {
    const std::string_view trimmed = Trim(name);
    if (CannotBeSectionName(trimmed)) {
        return -1;
    }
    const auto found = m_sections.find(trimmed);
    return found == m_sections.end() ? -1 : found->second.front();
}

int SettingsText::FindSection(std::string_view name, int* lineCount) const {
    const int ordinal = FindSectionOrdinal(name);
    if (ordinal < 0) {
        if (lineCount != nullptr) {
            *lineCount = 0;
        }
        return -1;
    }
    const int line = m_sectionLines[static_cast<std::size_t>(ordinal)];
    if (lineCount != nullptr) {
        *lineCount = SectionEnd(line) - line - 1;
    }
    return line;
}

int SettingsText::FindOrAddSection(std::string_view name, int* lineCount) {
    const int found = FindSection(name, lineCount);
    const std::string_view trimmed = Trim(name);
    if (found >= 0 || CannotBeSectionName(trimmed)) {
        return found;
    }
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) {
        InsertLine(static_cast<int>(m_lines.size()), std::string());
    }
    std::string line;
    line.reserve(trimmed.size() + 2);
    line += kSectionOpen;
    line += trimmed;
    line += kSectionClose;
    InsertLine(static_cast<int>(m_lines.size()), std::move(line));
    if (lineCount != nullptr) {
        *lineCount = 0;
    }
    return static_cast<int>(m_lines.size()) - 1;
}

int SettingsText::FindKey(int start, std::string_view key, std::string* value) const {
    if (start < 0 || start >= static_cast<int>(m_lines.size())) {
        return -1;
    }
    std::string buffer;
    return FindKeyBefore(start, NextSectionAtOrAfter(start), CleanKey(key, buffer), value);
}

int SettingsText::FindKeyBefore(int start, int end, std::string_view key, std::string* value) const {
    std::string buffer;
    const auto entry = m_keys.find(LookupHead(key, buffer));
    if (entry == m_keys.end()) {
        return -1;
    }
    const std::vector<int>& positions = entry->second;
    for (auto it = std::lower_bound(positions.begin(), positions.end(), start);
         it != positions.end() && *it < end; ++it) {
        const std::string& line = m_lines[static_cast<std::size_t>(*it)];
        if (StartsWithKey(line, key)) {
            if (value != nullptr) {
                value->assign(line, key.size() + kSettingsKeySeparator.size());
            }
            return *it;
        }
    }
    return -1;
}

bool SettingsText::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::string line;
    if (!KeyLine(key, value, line)) {
        return false;
    }
    int lineCount = 0;
    const int sectionLine = FindOrAddSection(section, &lineCount);
    if (sectionLine < 0) {
        return false;
    }
    std::string keyBuffer;
    const std::string_view cleanKey = CleanKey(key, keyBuffer);
    const int start = sectionLine + 1;
    const int existing = start < static_cast<int>(m_lines.size())
                             ? FindKeyBefore(start, NextSectionAtOrAfter(start), cleanKey, nullptr)
                             : -1;
    if (existing >= 0) {
        ReplaceLine(existing, std::move(line));
    } else {
        InsertLine(sectionLine + lineCount + 1, std::move(line));
    }
    return true;
}

bool SettingsText::WriteInt(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

bool SettingsText::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? kTrue : kFalse);
}

bool SettingsText::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              std::string& value) const {
    const int ordinal = FindSectionOrdinal(section);
    if (ordinal >= 0) {
        const auto next = static_cast<std::size_t>(ordinal) + 1;
        const int start = m_sectionLines[static_cast<std::size_t>(ordinal)] + 1;
        const int end =
            next < m_sectionLines.size() ? m_sectionLines[next] : static_cast<int>(m_lines.size());
        std::string buffer;
        if (FindKeyBefore(start, end, CleanKey(key, buffer), &value) >= 0) {
            return true;
        }
    }
    value.assign(defaultValue);
    return false;
}

bool SettingsText::ReadInt(std::string_view section, std::string_view key, int defaultValue,
                           int& value) const {
    return ReadTyped([&](std::string& text) { return ReadString(section, key, {}, text); },
                     [](std::string_view t) { return ParseInt(t); }, defaultValue, value);
}

bool SettingsText::ReadBool(std::string_view section, std::string_view key, bool defaultValue,
                            bool& value) const {
    return ReadTyped([&](std::string& text) { return ReadString(section, key, {}, text); },
                     [](std::string_view t) { return ParseBool(t); }, defaultValue, value);
}

bool SettingsText::SetHeader(std::string_view text) {
    RemoveHeader();
    std::vector<std::string> header = HeaderLines(text);
    m_lines.insert(m_lines.begin(), std::make_move_iterator(header.begin()),
                   std::make_move_iterator(header.end()));
    RebuildIndex();
    return true;
}

bool SettingsText::GetHeader(std::string& text) const {
    text.clear();
    bool found = false;
    for (const std::string& line : m_lines) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.empty()) {
            continue;
        }
        if (!IsCommentText(trimmed)) {
            break;
        }
        text += trimmed.substr(1);
        text += kSettingsLineBreak;
        found = true;
    }
    return found;
}

bool SettingsText::RemoveHeader() {
    std::size_t count = 0;
    while (count < m_lines.size()) {
        const std::string_view trimmed = Trim(m_lines[count]);
        if (!trimmed.empty() && !IsCommentText(trimmed)) {
            break;
        }
        ++count;
    }
    if (count > 0) {
        m_lines.erase(m_lines.begin(), m_lines.begin() + static_cast<std::ptrdiff_t>(count));
        RebuildIndex();
    }
    return true;
}

// First line after the section line that is empty or another section, or the end.
int SettingsText::SectionEnd(int sectionLine) const {
    int end = static_cast<int>(m_lines.size());
    const auto section = std::upper_bound(m_sectionLines.begin(), m_sectionLines.end(), sectionLine);
    if (section != m_sectionLines.end()) {
        end = *section;
    }
    const auto empty = std::upper_bound(m_emptyLines.begin(), m_emptyLines.end(), sectionLine);
    if (empty != m_emptyLines.end()) {
        end = std::min(end, *empty);
    }
    return end;
}

int SettingsText::NextSectionAtOrAfter(int line) const {
    const auto section = std::lower_bound(m_sectionLines.begin(), m_sectionLines.end(), line);
    return section == m_sectionLines.end() ? static_cast<int>(m_lines.size()) : *section;
}

void SettingsText::InsertLine(int position, std::string line) {
    const auto at = static_cast<std::size_t>(position);
    if (at == m_lines.size()) {
        m_lines.push_back(std::move(line));
        IndexLine(position);
        return;
    }
    const std::string_view trimmed = Trim(line);
    const bool boundary = trimmed.empty() || IsSettingsSectionLine(trimmed);
    m_lines.insert(m_lines.begin() + position, std::move(line));
    if (boundary) {
        // Section ordinals would shift; no edit inserts such a line inside the document.
        RebuildIndex();
        return;
    }
    ShiftPositions(position);
    std::string_view head;
    if (KeyHead(m_lines[at], head)) {
        auto entry = m_keys.find(head);
        if (entry == m_keys.end()) {
            entry = m_keys.emplace(std::string(head), std::vector<int>()).first;
        }
        std::vector<int>& positions = entry->second;
        positions.insert(std::lower_bound(positions.begin(), positions.end(), position), position);
    }
}

void SettingsText::ReplaceLine(int position, std::string line) {
    std::string& current = m_lines[static_cast<std::size_t>(position)];
    std::string_view oldHead;
    std::string_view newHead;
    const bool oldIsKey = KeyHead(current, oldHead);
    const bool newIsKey = KeyHead(line, newHead);
    if (oldIsKey && newIsKey && oldHead == newHead) {
        current = std::move(line);
        return;
    }
    // Not reached by WriteString, whose new line shares the old one's head.
    current = std::move(line);
    RebuildIndex();
}

void SettingsText::RebuildIndex() {
    m_sectionLines.clear();
    m_emptyLines.clear();
    m_sections.clear();
    m_keys.clear();
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        IndexLine(static_cast<int>(i));
    }
}

// Files a line that lies after every line filed so far.
void SettingsText::IndexLine(int position) {
    const std::string& line = m_lines[static_cast<std::size_t>(position)];
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty()) {
        m_emptyLines.push_back(position);
        return;
    }
    if (IsSettingsSectionLine(trimmed)) {
        const int ordinal = static_cast<int>(m_sectionLines.size());
        m_sectionLines.push_back(position);
        const std::string_view name = trimmed.substr(1, trimmed.size() - 2);
        auto entry = m_sections.find(name);
        if (entry == m_sections.end()) {
            entry = m_sections.emplace(std::string(name), std::vector<int>()).first;
        }
        entry->second.push_back(ordinal);
        return;
    }
    std::string_view head;
    if (KeyHead(line, head)) {
        auto entry = m_keys.find(head);
        if (entry == m_keys.end()) {
            entry = m_keys.emplace(std::string(head), std::vector<int>()).first;
        }
        entry->second.push_back(position);
    }
}

void SettingsText::ShiftPositions(int from) {
    const auto shift = [from](std::vector<int>& positions) {
        for (auto it = std::lower_bound(positions.begin(), positions.end(), from); it != positions.end();
             ++it) {
            ++*it;
        }
    };
    shift(m_sectionLines);
    shift(m_emptyLines);
    for (auto& entry : m_keys) {
        shift(entry.second);
    }
}

SettingsText::SectionReader SettingsText::ReadSection(std::string_view name) const {
    SectionReader reader;
    const int ordinal = FindSectionOrdinal(name);
    if (ordinal < 0) {
        return reader;
    }
    const auto next = static_cast<std::size_t>(ordinal) + 1;
    reader.m_lines = &m_lines;
    reader.m_begin = m_sectionLines[static_cast<std::size_t>(ordinal)] + 1;
    reader.m_end = next < m_sectionLines.size() ? m_sectionLines[next] : static_cast<int>(m_lines.size());
    for (int i = reader.m_begin; i < reader.m_end; ++i) {
        std::string_view head;
        if (KeyHead(m_lines[static_cast<std::size_t>(i)], head)) {
            reader.m_heads.emplace_back(head, i);
        }
    }
    return reader;
}

bool SettingsText::SectionReader::ReadString(std::string_view key, std::string_view defaultValue,
                                             std::string& value) const {
    std::string buffer;
    const std::string_view cleanKey = CleanKey(key, buffer);
    const auto take = [&](int line) {
        value.assign((*m_lines)[static_cast<std::size_t>(line)],
                     cleanKey.size() + kSettingsKeySeparator.size());
        return true;
    };
    if (cleanKey.find('=') == std::string_view::npos) {
        // Without "=" in the key, a line starts with key + " = " exactly when its head is the key.
        for (const auto& [head, line] : m_heads) {
            if (head == cleanKey) {
                return take(line);
            }
        }
    } else {
        for (int i = m_begin; i >= 0 && i < m_end; ++i) {
            if (StartsWithKey((*m_lines)[static_cast<std::size_t>(i)], cleanKey)) {
                return take(i);
            }
        }
    }
    value.assign(defaultValue);
    return false;
}

bool SettingsText::SectionReader::ReadInt(std::string_view key, int defaultValue, int& value) const {
    return ReadTyped([&](std::string& text) { return ReadString(key, {}, text); },
                     [](std::string_view t) { return ParseInt(t); }, defaultValue, value);
}

bool SettingsText::SectionReader::ReadBool(std::string_view key, bool defaultValue, bool& value) const {
    return ReadTyped([&](std::string& text) { return ReadString(key, {}, text); },
                     [](std::string_view t) { return ParseBool(t); }, defaultValue, value);
}

// Lines go out as they come, in the normalized layout: trimmed, empty ones dropped, one empty
// line before every section but a first line. A trailing comment block cannot arise here, since
// comments only come from the header.
void SettingsTextWriter::AppendLine(std::string& line) {
    TrimInPlace(line);
    if (line.empty()) {
        return;
    }
    if (m_lineCount > 0 && IsSettingsSectionLine(line)) {
        m_out += kSettingsLineBreak;
    }
    ++m_lineCount;
    if (NeedsBlock(line)) {
        AppendBlock(m_out, line);
    } else {
        m_out += line;
        m_out += kSettingsLineBreak;
    }
}

void SettingsTextWriter::SetHeader(std::string_view text) {
    for (std::string& line : HeaderLines(text)) {
        AppendLine(line);
    }
}

bool SettingsTextWriter::AddSection(std::string_view name) {
    const std::string_view trimmed = Trim(name);
    if (m_finished || CannotBeSectionName(trimmed)) {
        return false;
    }
    m_line.clear();
    m_line += kSectionOpen;
    m_line += trimmed;
    m_line += kSectionClose;
    AppendLine(m_line);
    m_inSection = true;
    return true;
}

bool SettingsTextWriter::WriteString(std::string_view key, std::string_view value) {
    if (!m_inSection || m_finished || !KeyLine(key, value, m_line)) {
        return false;
    }
    AppendLine(m_line);
    return true;
}

bool SettingsTextWriter::WriteInt(std::string_view key, int value) {
    return WriteString(key, std::to_string(value));
}

bool SettingsTextWriter::WriteBool(std::string_view key, bool value) {
    return WriteString(key, value ? kTrue : kFalse);
}

std::string SettingsTextWriter::SaveToString() & {
    m_finished = true;
    return m_out;
}

std::string SettingsTextWriter::SaveToString() && {
    m_finished = true;
    return std::move(m_out);
}

Result SettingsTextWriter::SaveToFile(const std::string& path) {
    m_finished = true;
    return SaveBytes(path, m_out);
}

}  // namespace tidewell
