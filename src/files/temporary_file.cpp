#include "files/temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

#include "files/durable_file.h"
#include "files/unique_fd.h"

namespace tidewell {
namespace {

constexpr const char* kNameFormat = "%s/temp%d.%s";
constexpr const char* kExtension = "tps";
constexpr int kMaxAttempts = 10000;
constexpr mode_t kPrivateFolderMode = 0700;

}  // namespace

Result CreatePrivateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, path));
    }
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, path));
    }
    // mkdir honours the umask; an older folder may have been opened up.
    if ((info.st_mode & 07777) != kPrivateFolderMode && ::chmod(path.c_str(), kPrivateFolderMode) != 0) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, path));
    }
    return Result::Ok();
}

std::optional<TemporaryFile> TemporaryFile::Create(const std::string& folder, int firstNumber) {
    if (folder.empty()) return std::nullopt;  // never the filesystem root by accident
    for (int k = firstNumber; k < firstNumber + kMaxAttempts; ++k) {
        char path[4096];
        std::snprintf(path, sizeof path, kNameFormat, folder.c_str(), k, kExtension);
        const UniqueFd file(::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
        if (file.Valid()) {
            return TemporaryFile(path);
        }
        if (errno != EEXIST) return std::nullopt;
    }
    return std::nullopt;
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : m_path(std::exchange(other.m_path, {})) {}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
    if (this != &other) {
        if (!m_path.empty()) ::unlink(m_path.c_str());
        m_path = std::exchange(other.m_path, {});
    }
    return *this;
}

TemporaryFile::~TemporaryFile() {
    if (!m_path.empty()) ::unlink(m_path.c_str());
}

}  // namespace tidewell
