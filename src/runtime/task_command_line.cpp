#include "runtime/task_command_line.h"

#include "config/locations.h"

namespace tidewell {

namespace {

constexpr std::string_view kStringPlaceholder = "%s";

}  // namespace

std::string FillStrings(std::string_view format, std::initializer_list<std::string_view> values) {
    std::string text;
    const std::string_view* next = values.begin();
    for (std::size_t at = 0; at < format.size();) {
        const std::size_t found = format.find(kStringPlaceholder, at);
        if (found == std::string_view::npos || next == values.end()) {
            text += format.substr(at);
            break;
        }
        text += format.substr(at, found - at);
        text += *next++;
        at = found + kStringPlaceholder.size();
    }
    return text;
}

std::string WorkingFolderOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string ProgramToStart(std::string_view path) {
    if (path.find('/') == std::string_view::npos) {
        return "./" + std::string(path);
    }
    return std::string(path);
}

std::string EscapeForDoubleQuotes(std::string_view value) {
    std::string escaped;
    escaped.reserve(value.size());
    for (const char c : value) {
        if (c == '"' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

std::string MacroEngineParameters(std::string_view macroPath, std::string_view password) {
    const std::string path = EscapeForDoubleQuotes(macroPath);
    if (password.empty()) {
        return FillStrings(kMacroRunFormat, {path});
    }
    return FillStrings(kMacroRunWithPasswordFormat, {path, EscapeForDoubleQuotes(password)});
}

std::string MacroEnginePath(std::string_view programFolder) {
    return JoinPath(programFolder.empty() ? std::string_view(".") : programFolder, kMacroEngineName);
}

}  // namespace tidewell
