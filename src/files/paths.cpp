#include "files/paths.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

namespace tidewell {

namespace fs = std::filesystem;

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (name.empty()) {
        return std::string(folder);
    }
    if (folder.empty()) {
        return std::string(name);
    }
    std::string path(folder);
    if (path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

std::string FolderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? std::string("/") : std::string(path.substr(0, slash));
}

std::string NormalPath(std::string_view path) {
    std::string normal = fs::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    return normal;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool CanBeCreated(const std::string& path, bool writable) {
    if (path.empty() || path.find('\0') != std::string::npos) {
        return false;
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error).lexically_normal();
    if (error || absolute.native().size() >= PATH_MAX) {
        return false;
    }
    for (const fs::path& part : absolute) {
        if (part.native().size() > NAME_MAX) {
            return false;
        }
    }
    for (fs::path folder = absolute.parent_path();; folder = folder.parent_path()) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0) {
            return S_ISDIR(info.st_mode) && (!writable || ::access(folder.c_str(), W_OK | X_OK) == 0);
        }
        if (errno == ENOTDIR) {
            return false;
        }
        if (errno != ENOENT) {
            return !writable;
        }
        if (folder == folder.parent_path()) {
            return false;
        }
    }
}

}  // namespace tidewell
