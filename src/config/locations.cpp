#include "config/locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <vector>

#include "config/password_file.h"
#include "files/whole_file.h"
#include "store/registry_store.h"
#include "text/language.h"

namespace tidewell {

namespace {

// user-dirs.dirs is a few lines; anything far larger is not that file.
constexpr std::size_t kUserDirsLimit = 64u << 10;
constexpr std::size_t kPasswordBufferSize = 16384;
constexpr const char* kRunningProgramLink = "/proc/self/exe";

// The variable's value when it is an absolute path; XDG says to ignore any other value.
std::string AbsoluteVariable(const Environment& environment, std::string_view name) {
    const auto found = environment.find(name);
    if (found == environment.end() || found->second.empty() || found->second.front() != '/') {
        return {};
    }
    return NormalPath(found->second);
}

// base/part/part...; empty when the base is unknown, so nothing lands in the working folder.
std::string Below(const std::string& base, std::initializer_list<std::string_view> parts) {
    if (base.empty()) {
        return {};
    }
    std::string path = base;
    for (const std::string_view part : parts) {
        path = JoinPath(path, part);
    }
    return path;
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    return text;
}

// The quoted value of one `XDG_DOCUMENTS_DIR="..."` line, backslash escapes removed.
bool QuotedValue(std::string_view line, std::string& value) {
    line = TrimLeadingBlanks(line);
    if (!line.starts_with(kUserDirsDocumentsKey)) {
        return false;
    }
    line = TrimLeadingBlanks(line.substr(kUserDirsDocumentsKey.size()));
    if (line.empty() || line.front() != '=') {
        return false;
    }
    line = TrimLeadingBlanks(line.substr(1));
    if (line.empty() || line.front() != '"') {
        return false;
    }
    value.clear();
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == '"') {
            return true;
        }
        if (line[i] == '\\' && i + 1 < line.size()) {
            ++i;
        }
        value += line[i];
    }
    return false;  // no closing quote
}

std::string UserDatabaseHome() {
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(kPasswordBufferSize);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
        found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

}  // namespace

std::string ScheduleFilePath(std::string_view userDataDir) {
    return userDataDir.empty() ? std::string() : JoinPath(userDataDir, kScheduleFileName);
}

std::string Locations::ProductSettingsDir() const {
    return Below(configHome, {kCompanyFolderName, kProductName});
}

std::string Locations::UserSettingsDir(std::string_view version) const {
    return Below(configHome, {kCompanyFolderName, kProductName, version});
}

std::string Locations::MachineSettingsDir(std::string_view version) const {
    return Below(machineConfigDir, {kCompanyFolderName, kProductName, version});
}

std::string Locations::ProgramDataDir() const {
    return portable ? programDir : Below(dataHome, {kCompanyFolderName, kProductName});
}

std::string Locations::ConfigDir() const {
    return Below(ProgramDataDir(), {kConfigFolderName});
}

std::string Locations::LogDir() const {
    return Below(ProgramDataDir(), {kLogFolderName});
}

std::string Locations::TempDir() const {
    return Below(ProgramDataDir(), {kTempFolderName});
}

std::string Locations::PasswordFilePath() const {
    return Below(ConfigDir(), {kPasswordFileName});
}

std::string Locations::BaseConfigFilePath() const {
    return Below(ConfigDir(), {kBaseConfigFileName});
}

std::vector<std::string> Locations::BaseConfigSources() const {
    std::vector<std::string> sources;
    for (const std::string& base : {programDir, installedDataDir}) {
        std::string source = Below(base, {kConfigFolderName, kBaseConfigFileName});
        if (!source.empty() && source != BaseConfigFilePath()) {
            sources.push_back(std::move(source));
        }
    }
    return sources;
}

std::vector<std::string> Locations::LanguageDirs() const {
    std::vector<std::string> folders;
    for (const std::string& base : {programDir, installedDataDir}) {
        std::string folder = Below(base, {kLanguageFolderName});
        if (!folder.empty() && (folders.empty() || folders.front() != folder)) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

std::string DocumentsDirFromUserDirs(std::string_view text, std::string_view home) {
    std::string documents;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        std::string value;
        if (!QuotedValue(line, value)) {
            continue;
        }
        const std::string_view path(value);
        // As the desktop reads it: the last usable line wins.
        if (path.starts_with(kUserDirsHomeReference) &&
            (path.size() == kUserDirsHomeReference.size() || path[kUserDirsHomeReference.size()] == '/')) {
            if (!home.empty()) {
                documents =
                    NormalPath(std::string(home) + std::string(path.substr(kUserDirsHomeReference.size())));
            }
        } else if (!path.empty() && path.front() == '/') {
            documents = NormalPath(path);
        }
    }
    return documents;
}

Locations BuildLocations(const Environment& environment, std::string programDir, bool portable) {
    Locations locations;
    locations.home = AbsoluteVariable(environment, kHomeVariable);
    locations.configHome = AbsoluteVariable(environment, kConfigHomeVariable);
    if (locations.configHome.empty()) {
        locations.configHome = Below(locations.home, {kDefaultConfigHome});
    }
    locations.dataHome = AbsoluteVariable(environment, kDataHomeVariable);
    if (locations.dataHome.empty()) {
        locations.dataHome = Below(locations.home, {kDefaultDataHome});
    }
    locations.machineConfigDir = AbsoluteVariable(environment, kMachineConfigVariable);
    if (locations.machineConfigDir.empty()) {
        locations.machineConfigDir = std::string(kDefaultMachineConfigDir);
    }
    if (!locations.configHome.empty()) {
        std::string text;
        if (ReadWholeFile(JoinPath(locations.configHome, kUserDirsFileName), text, kUserDirsLimit).ok()) {
            locations.documentsDir = DocumentsDirFromUserDirs(text, locations.home);
        }
    }
    if (locations.documentsDir.empty()) {
        locations.documentsDir = Below(locations.home, {kDefaultDocumentsFolder});
    }
    locations.programDir = NormalPath(programDir);
    if (!locations.programDir.empty() && locations.programDir != "/") {
        const std::string prefix = std::filesystem::path(locations.programDir).parent_path().string();
        locations.installedDataDir = Below(prefix, {kInstalledDataFolder});
    }
    locations.portable = portable;
    return locations;
}

Environment ProcessEnvironment() {
    Environment environment;
    for (const std::string_view name :
         {kHomeVariable, kConfigHomeVariable, kDataHomeVariable, kMachineConfigVariable}) {
        const std::string key(name);
        if (const char* value = std::getenv(key.c_str()); value != nullptr) {
            environment[key] = value;
        }
    }
    const auto home = environment.find(kHomeVariable);
    if (home == environment.end() || home->second.empty()) {
        environment[std::string(kHomeVariable)] = UserDatabaseHome();
    }
    return environment;
}

std::string RunningProgramDir() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink(kRunningProgramLink, error);
    return error ? std::string() : program.parent_path().string();
}

}  // namespace tidewell
