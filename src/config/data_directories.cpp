#include "config/data_directories.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "base/text_util.h"
#include "files/folder_tree.h"
#include "files/paths.h"
#include "files/temporary_file.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

namespace fs = std::filesystem;

// With every link of its existing part resolved; empty when that cannot be worked out.
std::string Resolved(const std::string& path) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(path, error);
    return error ? std::string() : NormalPath(resolved.string());
}

// The path is the folder or below it, comparing whole names and ignoring letter case.
bool IsWithin(const std::string& path, const std::string& folder) {
    if (path.empty() || folder.empty()) {
        return false;
    }
    const std::string p = AsciiLower(path);
    const std::string f = AsciiLower(folder);
    if (p == f || f == "/") {
        return true;
    }
    return p.size() > f.size() && p.starts_with(f) && p[f.size()] == '/';
}

// Inside as written, or inside once links are followed.
bool LiesWithin(const std::string& path, const std::string& folder) {
    if (folder.empty()) {
        return false;
    }
    return IsWithin(path, NormalPath(folder)) || IsWithin(Resolved(path), Resolved(folder));
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

bool IsValidPath(std::string_view path) {
    if (path.empty() || path.front() != '/' || HasControlCharacter(path)) {
        return false;
    }
    return CanBeCreated(NormalPath(path));
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FreeOrFolder(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return IsFolder(path);
}

bool EndsWithTemporaryExtension(const std::string& name) {
    return name.size() > kTemporaryFileExtension.size() &&
           AsciiLower(name.substr(name.size() - kTemporaryFileExtension.size())) == kTemporaryFileExtension;
}

std::string NumberedFolder(int number) {
    char name[64];
    std::snprintf(name, sizeof name, kNumberedUserDataFolderFormat, number);
    return name;
}

}  // namespace

Result InitDataFolders(const Locations& locations) {
    const std::string root = locations.ProgramDataDir();
    if (root.empty()) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, root));
    }
    for (const std::string& folder : {root, locations.ConfigDir(), locations.LogDir()}) {
        if (Result created = CreateFolders(folder); !created.ok()) {
            return created;
        }
    }
    if (Result created = CreatePrivateFolder(locations.TempDir()); !created.ok()) {
        return created;
    }
    return Result::Ok();
}

Result SeedBaseConfiguration(const Locations& locations) {
    const std::string target = locations.BaseConfigFilePath();
    if (Exists(target)) {
        return Result::Ok();
    }
    for (const std::string& source : locations.BaseConfigSources()) {
        if (Exists(source)) return CopyFileIfMissing(source, target);
    }
    return Result::Ok();
}

std::size_t CleanTemporaryFiles(const Locations& locations) {
    const std::string folder = locations.TempDir();
    if (folder.empty()) {
        return 0;
    }
    std::size_t removed = 0;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (it->symlink_status(ignored).type() == fs::file_type::directory ||
            !EndsWithTemporaryExtension(it->path().filename().string())) {
            continue;
        }
        if (fs::remove(it->path(), ignored)) {
            ++removed;
        }
    }
    return removed;
}

Result ValidateUserDataDirectory(std::string_view path, const Locations& locations) {
    const auto refuse = [](std::string message) {
        return Result::Fail(ErrorKind::invalid, std::move(message));
    };
    if (!IsValidPath(path)) {
        return refuse(FileMessage(IDS_ERROR_FILE_NOT_A_VALID_WINDOWS_PATH, path));
    }
    const std::string normal = NormalPath(path);
    if (normal == "/") {
        return refuse(LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_ROOT));
    }
    if (LiesWithin(normal, locations.ProgramDataDir())) {
        return refuse(LoadMessage(IDS_DIALOG_UDD_MESSAGE_CANT_SET_UNDER_PRODUCT_ROOT));
    }
    if (Exists(normal) && !IsFolder(normal)) {
        return refuse(FileMessage(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, path));
    }
    return Result::Ok();
}

std::string UserDataDirectoryWarning(std::string_view path, const Locations& locations) {
    if (LiesWithin(NormalPath(path), locations.documentsDir)) return {};
    return FileMessage(IDS_MESSAGE_PROMPT_CHECK_NON_ADMIN_WRITE_PERMISSION, path);
}

std::string DefaultUserDataDirectory(const Locations& locations, bool peEdition) {
    if (locations.documentsDir.empty()) {
        return {};
    }
    const std::string base = JoinPath(locations.documentsDir, kUserDataBaseFolder);
    const std::string first = JoinPath(base, peEdition ? kUserDataFolderPe : kUserDataFolder);
    if (FreeOrFolder(first)) {
        return first;
    }
    for (int number = 1; number <= kNumberedUserDataFolders; ++number) {
        const std::string candidate = JoinPath(base, NumberedFolder(number));
        if (FreeOrFolder(candidate)) {
            return candidate;
        }
    }
    return {};
}

UserDataDirectory::UserDataDirectory(const Locations& locations, SettingsPort& productSettings,
                                     bool peEdition)
    : m_locations(locations), m_settings(productSettings), m_peEdition(peEdition) {}

Result UserDataDirectory::Take(std::string_view path) {
    const std::string normal = NormalPath(path);
    if (!Exists(normal)) {
        if (Result created = CreateFolders(normal); !created.ok()) {
            return Result::Fail(created.kind(), FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, path));
        }
    }
    m_path = normal;
    m_scheduleFile = ScheduleFilePath(m_path);
    return Result::Ok();
}

bool UserDataDirectory::Load() {
    const std::string stored =
        m_settings.ReadSettingString(kUserDataDirectorySection, kUserDataDirectoryValue, {});
    // A remembered directory that no longer passes is left for the user to choose again.
    return !stored.empty() && ValidateUserDataDirectory(stored, m_locations).ok() && Take(stored).ok();
}

Result UserDataDirectory::Set(std::string_view path) {
    if (Result valid = ValidateUserDataDirectory(path, m_locations); !valid) {
        return valid;
    }
    if (Result taken = Take(path); !taken) {
        return taken;
    }
    if (!m_settings.WriteSettingString(kUserDataDirectorySection, kUserDataDirectoryValue, m_path)) {
        // Not stored: the store has told the user once, and the directory serves until exit.
    }
    return Result::Ok();
}

bool UserDataDirectory::CheckSet() {
    if (Load()) {
        return true;
    }
    const std::string fallback = Default();
    return !fallback.empty() && Set(fallback).ok();
}

}  // namespace tidewell
