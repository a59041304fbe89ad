#include "runtime/log_line.h"

#include "base/text_util.h"
#include "files/append_file.h"

namespace tidewell {

namespace {

std::size_t Utf8Length(std::string_view text) {
    std::size_t chars = 0;
    for (const char c : text) {
        // Continuation bytes (10xxxxxx) belong to the character before them.
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++chars;
        }
    }
    return chars;
}

// The fixed line of a marker, or empty when the text is no marker.
std::string_view MarkerLine(std::string_view text) {
    if (text == kLogBlankMarker) {
        return "";
    }
    if (text == kLogProgramStartMarker) {
        return kLogProgramStartLine;
    }
    if (text == kLogProgramEndMarker) {
        return kLogProgramEndLine;
    }
    return {};
}

bool IsMarker(std::string_view text) {
    return text == kLogBlankMarker || text == kLogProgramStartMarker || text == kLogProgramEndMarker;
}

}  // namespace

std::string FormatLogLine(const DateTime& now, std::string_view first, std::string_view second) {
    const std::string firstCut = Utf8Prefix(first, kLogFirstTextChars);
    const std::string secondCut = Utf8Prefix(second, kLogTextChars - Utf8Length(firstCut));
    if (IsMarker(secondCut)) {
        return std::string(MarkerLine(secondCut));
    }
    std::string line = now.Format(kLogTimeFormat);
    line += '\t';
    if (firstCut.empty()) {
        line += secondCut;
    } else if (!secondCut.empty()) {
        line += firstCut;
        line += '\t';
        line += secondCut;
    } else {
        line += firstCut;
    }
    return line;
}

Result AppendLine(const std::string& path, std::string_view line, std::uint64_t byteLimit) {
    std::string bytes = Utf8Prefix(line, kLogLineChars - 1);
    bytes += kLogLineEnd;
    return AppendToFile(path, bytes, byteLimit);
}

Result WriteLogLine(const std::string& path, std::string_view first, std::string_view second,
                    const DateTime& now) {
    return AppendLine(path, FormatLogLine(now, first, second), kLogByteLimit);
}

}  // namespace tidewell
