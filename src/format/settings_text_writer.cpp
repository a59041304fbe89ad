#include <utility>

#include "format/settings_lines.h"
#include "format/settings_text.h"

namespace tidewell {

using namespace settings_lines;

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
