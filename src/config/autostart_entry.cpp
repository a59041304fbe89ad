#include "config/autostart_entry.h"

#include <filesystem>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// Characters that need no quoting in an Exec argument.
bool IsPlainExecCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("/._+-,:@~=").find(c) != std::string_view::npos;
}

// A quoted Exec argument: ", `, $ and \ are escaped inside the quotes, and then every backslash
// is doubled once more because the whole value is a desktop-entry string.
std::string QuotedArgument(std::string_view argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return ReplaceAll(quoted, "\\", "\\\\");
}

}  // namespace

std::string AutostartEntryPath(const Locations& locations) {
    return JoinPath(JoinPath(locations.configHome, kAutostartFolderName), kAutostartFileName);
}

std::string AutostartExecValue(std::string_view programPath) {
    if (programPath.empty() || programPath.front() != '/') return {};
    bool plain = true;
    for (char c : programPath) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return {};
        if (!IsPlainExecCharacter(c)) plain = false;
    }
    // "%" starts a field code in Exec; "%%" is a literal one.
    std::string argument = plain ? std::string(programPath) : QuotedArgument(programPath);
    return ReplaceAll(argument, "%", "%%") + " " + std::string(kAutoloadArgument);
}

std::string AutostartEntryText(std::string_view programPath, bool scheduling) {
    const std::string exec = AutostartExecValue(programPath);
    if (exec.empty()) return {};
    std::string text(kDesktopEntryGroup);
    text += "\nType=Application\nName=" + LoadMessageIn(MessageLanguage::English, IDS_KLN_TIDEWELL);
    text += "\n" + std::string(kDesktopEntryExecKey) + "=" + exec;
    text += "\nTerminal=false\nX-GNOME-Autostart-enabled=" + std::string(scheduling ? "true" : "false");
    text += "\n" + std::string(kDesktopEntryHiddenKey) + "=" + (scheduling ? "false" : "true") + "\n";
    return text;
}

Result WriteAutostartEntry(const std::string& path, std::string_view programPath, bool scheduling) {
    const std::string text = AutostartEntryText(programPath, scheduling);
    if (text.empty()) {
        return Result::Fail(
            ErrorKind::invalid,
            ReplaceAll(LoadMessage(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH), "#1", programPath));
    }
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Result::Fail(
            ErrorKind::io, ReplaceAll(LoadMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR), "#1", folder.string()));
    }
    return WriteFileDurably(path, text);
}

}  // namespace tidewell
