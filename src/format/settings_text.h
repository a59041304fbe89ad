#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/result.h"

namespace tidewell {

// What separates a key from its value, and ends every line on disk.
inline constexpr std::string_view kSettingsKeySeparator = " = ";
inline constexpr std::string_view kSettingsLineBreak = "\r\n";

// A trimmed line "[name]" whose name holds no "=".
inline bool IsSettingsSectionLine(std::string_view trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
           trimmed.find('=') == std::string_view::npos;
}

// The program's line-oriented settings document: "[name]" section lines, "key = value" lines,
// ";" comment lines and multi-line values kept on disk as "key = {{Block}}" blocks.
//
// The document is an ordered array of lines; a multi-line value is one element whose value holds
// CR LF between its lines. Every lookup answers as a scan of that array from the top would (first
// match wins, duplicates stay, order is kept), but goes through an index of section and key
// positions, so that a document of hundreds of thousands of lines loads and reads in linear time.
//
// Files are UTF-8 with CR LF line ends; reading also accepts bare LF.
class SettingsText {
public:
    enum class Source : int {
        File = 0,    // last loaded by LoadFromFile
        String = 1,  // last loaded by LoadFromString
    };

    // Reads the whole file; a file that cannot be read gives an empty document and false.
    [[nodiscard]] bool LoadFromFile(const std::string& path);
    // Reads every line of `text`, the last one too. Always true.
    bool LoadFromString(std::string_view text);
    // Normalizes, creates the missing folders of `path` and replaces the file durably. On failure
    // the file on disk is untouched and the message names the path.
    Result SaveToFile(const std::string& path);
    // Normalizes and returns the bytes SaveToFile writes.
    std::string SaveToString();
    void Clear();
    // Trims every line, drops empty lines, puts one empty line before every section but a first
    // line and before a trailing comment block.
    void Normalize();

    // Index of the first section line "[name]" (name trimmed) or -1. `lineCount` receives the
    // number of lines after it up to the next empty or section line. A name holding "=" or a line
    // break is never a section.
    int FindSection(std::string_view name, int* lineCount = nullptr) const;
    // As FindSection; appends the section (after an empty line) when it is missing.
    // -1 only for a name that cannot be a section.
    int FindOrAddSection(std::string_view name, int* lineCount = nullptr);
    // From `start` up to the next section line, the first line beginning with key + " = ";
    // `value` receives the rest of that line.
    int FindKey(int start, std::string_view key, std::string* value = nullptr) const;

    // Replace the key's line in place, or insert it after the last line of the section (adding
    // the section when missing). A line break in a key becomes four blanks; a bare LF in a value
    // becomes CR LF. False for a section name that cannot be a section or a blank key.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // Each gives the stored value, or the default when the section or key is missing, and
    // returns whether it was found. A key stored with an empty value counts as missing once the
    // document has been normalized ("key =" lacks the " = ").
    bool ReadString(std::string_view section, std::string_view key, std::string_view defaultValue,
                    std::string& value) const;
    // Leading blanks, optional sign, digits; no digits give 0; beyond the int range saturates.
    bool ReadInt(std::string_view section, std::string_view key, int defaultValue, int& value) const;
    // True when the value holds "true" anywhere (case matters).
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue, bool& value) const;

    // Replaces the leading comment block by `text`, one ";" line per line of it (at most 50),
    // followed by one empty line. Always true.
    bool SetHeader(std::string_view text);
    // The leading comment lines without their ";", each followed by CR LF; false when none.
    bool GetHeader(std::string& text) const;
    // Removes the lines at the top while they are empty or comments. Always true.
    bool RemoveHeader();

    // One section's lines, for reading many keys of it: each lookup scans only the section's
    // own lines and answers as the document-wide lookups do.
    class SectionReader {
    public:
        bool Found() const { return m_begin >= 0; }
        bool ReadString(std::string_view key, std::string_view defaultValue, std::string& value) const;
        bool ReadInt(std::string_view key, int defaultValue, int& value) const;
        bool ReadBool(std::string_view key, bool defaultValue, bool& value) const;

    private:
        friend class SettingsText;
        const std::vector<std::string>* m_lines = nullptr;
        int m_begin = -1;  // first line after the section line
        int m_end = -1;    // the next section line, or the end
        // The text before the first " = " of each key line, with its line, in line order.
        std::vector<std::pair<std::string_view, int>> m_heads;
    };
    SectionReader ReadSection(std::string_view name) const;

    const std::vector<std::string>& Lines() const { return m_lines; }
    Source SourceMode() const { return m_source; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using NameIndex = std::unordered_map<std::string, std::vector<int>, NameHash, std::equal_to<>>;

    void Assemble(std::string_view text);
    int FindSectionOrdinal(std::string_view name) const;
    int FindKeyBefore(int start, int end, std::string_view key, std::string* value) const;
    int SectionEnd(int sectionLine) const;
    int NextSectionAtOrAfter(int line) const;
    void InsertLine(int position, std::string line);
    void ReplaceLine(int position, std::string line);
    void RebuildIndex();
    void IndexLine(int position);
    void ShiftPositions(int from);

    std::vector<std::string> m_lines;
    Source m_source = Source::File;

    // Positions of section lines and of empty lines, ascending.
    std::vector<int> m_sectionLines;
    std::vector<int> m_emptyLines;
    // Section name (between the brackets of the trimmed line) -> ordinals into m_sectionLines.
    NameIndex m_sections;
    // Text before the first " = " of a line -> positions, ascending. Every line that some key
    // matches is in the entry of that key's own text before its first " = ".
    NameIndex m_keys;
};

// A document written once from top to bottom: a header, then sections, each followed by its
// keys. It gives the bytes SettingsText::SaveToString gives for the same writes when every
// section and every key in it is new, without the lookups a write into a document needs.
class SettingsTextWriter {
public:
    // Room for about this many bytes, so that a large document is not moved as it grows.
    void Reserve(std::size_t bytes) { m_out.reserve(bytes); }
    // As SettingsText::SetHeader; call it first.
    void SetHeader(std::string_view text);
    // Starts a section; false for a name that cannot be a section.
    bool AddSection(std::string_view name);
    // Appends a key line to the last section; false for a blank key or before any section.
    bool WriteString(std::string_view key, std::string_view value);
    bool WriteInt(std::string_view key, int value);
    bool WriteBool(std::string_view key, bool value);

    // The document is complete after the first of these; later writes are refused. A writer about
    // to go hands its bytes over without a copy.
    std::string SaveToString() &;
    std::string SaveToString() &&;
    // Creates the missing folders of `path` and replaces the file durably.
    Result SaveToFile(const std::string& path);

private:
    void AppendLine(std::string& line);

    std::string m_out;   // the bytes on disk so far
    std::string m_line;  // the line being built, reused
    std::size_t m_lineCount = 0;
    bool m_inSection = false;
    bool m_finished = false;
};

}  // namespace tidewell
