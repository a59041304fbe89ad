#include "config/quick_view_store.h"

#include <cstdio>

#include "base/text_util.h"
#include "config/locations.h"
#include "files/durable_file.h"
#include "files/keep_aside.h"
#include "files/paths.h"
#include "files/whole_file.h"
#include "format/settings_text.h"
#include "text/messages.h"

namespace tidewell {
namespace {

Result CannotOpen(const std::string& path) {
    return Result::Fail(ErrorKind::io,
                        ReplaceAll(LoadMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP), "#1", path));
}

std::vector<std::string> LinesOfText(std::string_view bytes) {
    SettingsText document;
    document.LoadFromString(bytes);
    SettingsText::SectionReader section = document.ReadSection(kQuickViewSection);
    std::vector<std::string> lines;
    std::string value;
    for (int number = 1; section.Found() && section.ReadString(QuickViewKey(number), {}, value); ++number) {
        lines.push_back(value);
    }
    return lines;
}

// Whether replacing the file would lose something of it: true unless it reads back as exactly
// what its readable lines would be written as.
bool WouldLoseSomething(const std::string& path, const QuickViewLineCheck& readable, std::string& bytes) {
    const Result read = ReadWholeFile(path, bytes, kQuickViewFileLimit);
    if (read.kind() == ErrorKind::notFound) return false;
    if (!read.ok()) return true;
    if (bytes.empty()) return false;
    std::vector<std::string> lines = LinesOfText(bytes);
    std::erase_if(lines, [&](const std::string& line) { return !readable(line); });
    return QuickViewFileText(lines) != bytes;
}

}  // namespace

std::string QuickViewFilePath(std::string_view userDataDir) {
    return JoinPath(userDataDir, kQuickViewFileName);
}

std::string QuickViewKey(int number) {
    char key[32];
    std::snprintf(key, sizeof key, kQuickViewKeyFormat, number);
    return key;
}

Result LoadQuickViewLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    const Result read = ReadWholeFile(path, bytes, kQuickViewFileLimit);
    if (read.kind() == ErrorKind::notFound) return Result::Ok();
    // A file too large was never one of ours: it reads as damaged, not as locked.
    if (read.kind() == ErrorKind::invalid) {
        return Result::Fail(ErrorKind::damaged, LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH));
    }
    if (!read.ok()) return CannotOpen(path);
    lines = LinesOfText(bytes);
    return Result::Ok();
}

std::string QuickViewFileText(const std::vector<std::string>& lines) {
    SettingsTextWriter writer;
    writer.AddSection(kQuickViewSection);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        writer.WriteString(QuickViewKey(static_cast<int>(i) + 1), lines[i]);
    }
    return writer.SaveToString();
}

Result SaveQuickViewLines(const std::string& path, const std::vector<std::string>& lines,
                          const QuickViewLineCheck& readable, std::string* keptAside) {
    std::string old;
    if (WouldLoseSomething(path, readable, old)) {
        std::string keptAs;
        if (Result kept = KeepAside(path, keptAs); !kept) return kept;
        if (keptAside != nullptr) *keptAside = keptAs;
    }
    return WriteFileDurably(path, QuickViewFileText(lines));
}

}  // namespace tidewell
