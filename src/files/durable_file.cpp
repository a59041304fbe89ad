#include "files/durable_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <random>
#include <utility>

#include "text/message_table.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {

namespace {

// Keeps the temporary name within the folder-entry limit whatever the target's name is.
constexpr std::size_t kTempNameStemBytes = 64;
constexpr int kTempNameAttempts = 64;
constexpr std::string_view kPathPlaceholder = "#1";

class UniqueFd {
public:
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Close(); }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // Closes now and says whether the close succeeded (a deferred write error shows up here).
    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        const int rc = ::close(m_fd);
        m_fd = -1;
        return rc == 0;
    }

private:
    int m_fd;
};

struct SplitPath {
    std::string folder;
    std::string name;
};

SplitPath Split(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? std::string("/") : path.substr(0, slash), path.substr(slash + 1)};
}

std::string TempName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string name = ".";
    name += target.substr(0, kTempNameStemBytes);
    name += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) + "-" +
            std::to_string(random() % 1000000007u);
    return name;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a fresh file in the folder; empty name when none could be created.
std::string CreateTempFile(int folderFd, const std::string& target, int& fd) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        std::string name = TempName(target);
        fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            return name;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    fd = -1;
    return {};
}

// Writes and syncs the new file; false leaves the temporary file for the caller to remove.
bool FillTempFile(int fd, std::string_view bytes) {
    UniqueFd file(fd);
    if (!WriteAll(file.get(), bytes)) {
        return false;
    }
    if (::fsync(file.get()) != 0) {
        return false;
    }
    return file.Close();
}

bool SyncFolder(int folderFd) {
    if (::fsync(folderFd) == 0) {
        return true;
    }
    // Some file systems cannot sync a folder; the rename is then as durable as they make it.
    return errno == EINVAL || errno == ENOTSUP;
}

}  // namespace

std::string KeptAsideName(const std::string& path, int number) {
    std::string name = path + std::string(kKeptAsideSuffix);
    if (number > 1) {
        name += '-';
        name += std::to_string(number);
    }
    return name;
}

std::string CannotWriteFileMessage(const std::string& path) {
    return ReplaceAll(LoadMessage(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP), kPathPlaceholder, path);
}

Result WriteFileDurably(const std::string& path, std::string_view bytes) {
    const SplitPath parts = Split(path);
    if (parts.name.empty() || parts.name == "." || parts.name == "..") {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    UniqueFd folder(::open(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid()) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    int fd = -1;
    const std::string tempName = CreateTempFile(folder.get(), parts.name, fd);
    if (tempName.empty()) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    if (!FillTempFile(fd, bytes) ||
        ::renameat(folder.get(), tempName.c_str(), folder.get(), parts.name.c_str()) != 0) {
        ::unlinkat(folder.get(), tempName.c_str(), 0);
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    if (!SyncFolder(folder.get())) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    return Result::Ok();
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    // Non-blocking so that a named pipe in place of the file cannot hang the open.
    UniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.valid()) {
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return ReadStatus::Failed;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > limit) {
        return ReadStatus::TooLarge;
    }
    std::string buffer;
    buffer.reserve(size);
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return ReadStatus::Failed;
        }
        if (got == 0) {
            break;
        }
        // The file may grow while it is read; the limit holds all the same.
        if (static_cast<std::size_t>(got) > limit - buffer.size()) {
            return ReadStatus::TooLarge;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    bytes = std::move(buffer);
    return ReadStatus::Ok;
}

}  // namespace tidewell
