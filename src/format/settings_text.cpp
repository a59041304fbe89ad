#include "format/settings_text.h"

#include <algorithm>
#include <utility>

#include "files/whole_file.h"
#include "format/settings_lines.h"

namespace tidewell {

namespace {

using namespace settings_lines;

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

}  // namespace

bool SettingsText::LoadFromFile(const std::string& path) {
    std::string bytes;
    const bool read = ReadWholeFile(path, bytes).ok();  // else `bytes` stays empty
    Assemble(bytes);
    m_source = Source::File;
    return read;
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

}  // namespace tidewell
