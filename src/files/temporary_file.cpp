#include "files/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <utility>

namespace tidewell {
namespace {

constexpr const char* kNameFormat = "%s/temp%d.%s";
constexpr const char* kExtension = "tps";
constexpr int kMaxAttempts = 10000;

}  // namespace

std::optional<TemporaryFile> TemporaryFile::Create(const std::string& folder, int firstNumber) {
    if (folder.empty()) return std::nullopt;  // never the filesystem root by accident
    for (int k = firstNumber; k < firstNumber + kMaxAttempts; ++k) {
        char path[4096];
        std::snprintf(path, sizeof path, kNameFormat, folder.c_str(), k, kExtension);
        int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd >= 0) {
            ::close(fd);
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
