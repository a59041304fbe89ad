#include "files/durable_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>

#include "base/text_util.h"
#include "files/file_faults.h"
#include "files/paths.h"
#include "files/whole_file.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

// Keeps the new file's name within the folder-entry limit whatever the target's name is.
constexpr std::size_t kStemBytes = 64;
constexpr int kNameAttempts = 64;
constexpr std::string_view kPathPlaceholder = "#1";
constexpr std::string_view kNameMark = ".tmp-";
// As many links as the system follows in one path.
constexpr int kMaxLinkHops = 40;
constexpr std::size_t kLinkBuffer = 4096;

// ".<name>.tmp-": what every staged file of the target `name` starts with.
std::string StagedNamePrefix(std::string_view target) {
    std::size_t stem = std::min(target.size(), kStemBytes);
    while (stem > 0 && stem < target.size() && (static_cast<unsigned char>(target[stem]) & 0xC0) == 0x80) {
        --stem;  // never half a UTF-8 character
    }
    std::string name = ".";
    name += target.substr(0, stem);
    name += kNameMark;
    return name;
}

std::string NewFileName(std::string_view target) {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}()};
    return StagedNamePrefix(target) + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(random() % 1000000007u);
}

// The "<pid>-<count>-<random>" that NewFileName puts after the prefix.
bool IsStagedNameTail(std::string_view tail) {
    int numbers = 0;
    while (!tail.empty()) {
        const std::size_t digits = std::min(tail.find_first_not_of("0123456789"), tail.size());
        if (digits == 0) {
            return false;
        }
        ++numbers;
        tail.remove_prefix(digits);
        if (!tail.empty()) {
            if (tail.front() != '-') {
                return false;
            }
            tail.remove_prefix(1);
            if (tail.empty()) {
                return false;
            }
        }
    }
    return numbers == 3;
}

}  // namespace

StagedFile::StagedFile(StagedFile&& other) noexcept
    : m_fd(std::move(other.m_fd)),
      m_target(std::move(other.m_target)),
      m_path(std::exchange(other.m_path, {})) {}

StagedFile& StagedFile::operator=(StagedFile&& other) noexcept {
    if (this != &other) {
        Discard();
        m_fd = std::move(other.m_fd);
        m_target = std::move(other.m_target);
        m_path = std::exchange(other.m_path, {});
    }
    return *this;
}

Result StagedFile::Failed() {
    Discard();
    return Result::Fail(ErrorKind::io, CannotWriteFileMessage(m_target));
}

// `create` makes the new entry at the path it is given; false with errno set.
template <typename Create>
Result StagedFile::Stage(const std::string& target, Create create) {
    Discard();
    m_target = target;
    const std::size_t slash = target.rfind('/');
    const std::string_view name = std::string_view(target).substr(slash == std::string::npos ? 0 : slash + 1);
    if (name.empty() || name == "." || name == "..") {
        return Failed();
    }
    const std::string folder = FolderOf(target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string path = JoinPath(folder, NewFileName(name));
        if (create(path)) {
            m_path = std::move(path);
            return Result::Ok();
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return Failed();
}

Result StagedFile::Open(const std::string& target) {
    return Stage(target, [this, &target](const std::string& path) {
        if (InjectedFault(FileStep::create, target) != 0) {
            return false;
        }
        m_fd = UniqueFd(
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, kPrivateFileMode));
        return m_fd.Valid();
    });
}

Result StagedFile::OpenLink(const std::string& target, const std::string& linkText) {
    return Stage(target, [&linkText](const std::string& path) {
        return ::symlink(linkText.c_str(), path.c_str()) == 0;
    });
}

Result StagedFile::Write(std::string_view bytes) {
    if (!m_fd.Valid() || InjectedFault(FileStep::write, m_target) != 0 || !WriteAll(m_fd.Get(), bytes)) {
        return Failed();
    }
    return Result::Ok();
}

Result StagedFile::Finish() {
    if (m_path.empty()) {
        return Failed();
    }
    if (m_fd.Valid() && (::fsync(m_fd.Get()) != 0 || !m_fd.Close())) {
        return Failed();
    }
    return Result::Ok();
}

Result StagedFile::Commit() {
    if (Result finished = Finish(); !finished.ok()) {
        return finished;
    }
    if (InjectedFault(FileStep::rename, m_target) != 0 || ::rename(m_path.c_str(), m_target.c_str()) != 0) {
        return Failed();
    }
    m_path.clear();
    return SyncFolder(FolderOf(m_target)) ? Result::Ok() : Failed();
}

Result StagedFile::CommitIfMissing(bool& existed) {
    existed = false;
    if (Result finished = Finish(); !finished.ok()) {
        return finished;
    }
    const Result linked = LinkIfFree(m_path, m_target, existed);
    Discard();  // the new file goes by the target's name now, or not at all
    return linked.ok() ? linked : Result::Fail(ErrorKind::io, CannotWriteFileMessage(m_target));
}

void StagedFile::Discard() {
    m_fd.Drop();  // the file goes unused: its close has nothing to tell
    if (!m_path.empty()) {
        ::unlink(m_path.c_str());
        m_path.clear();
    }
}

bool ReplacementTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return true;
        }
        std::string link(std::max<std::size_t>(static_cast<std::size_t>(info.st_size), kLinkBuffer) + 1,
                         '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
            return false;
        }
        link.resize(static_cast<std::size_t>(length));
        target = link.starts_with('/') ? link : JoinPath(FolderOf(target), link);
    }
    return false;  // a loop, or a chain longer than the system follows
}

Result WriteFileDurably(const std::string& path, std::string_view bytes, mode_t mode) {
    std::string target;
    if (!ReplacementTarget(path, target)) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    StagedFile file;
    Result result = file.Open(target);
    if (result.ok() && mode != kPrivateFileMode && ::fchmod(file.Fd(), mode) != 0) {
        result = Result::Fail(ErrorKind::io, CannotWriteFileMessage(target));
    }
    if (result.ok()) {
        result = file.Write(bytes);
    }
    return result.ok() ? file.Commit() : result;
}

int RemoveStaleStagedFiles(const std::string& target, const timespec& before) {
    const std::size_t slash = target.rfind('/');
    const std::string prefix =
        StagedNamePrefix(slash == std::string::npos ? target : target.substr(slash + 1));
    const std::string folder = FolderOf(target);
    DIR* entries = ::opendir(folder.c_str());
    if (entries == nullptr) {
        return 0;
    }
    int removed = 0;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || !IsStagedNameTail(name.substr(prefix.size()))) {
            continue;
        }
        const std::string path = JoinPath(folder, name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISLNK(info.st_mode))) {
            continue;
        }
        const bool older = info.st_mtim.tv_sec < before.tv_sec ||
                           (info.st_mtim.tv_sec == before.tv_sec && info.st_mtim.tv_nsec < before.tv_nsec);
        if (older && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(entries);
    return removed;
}

Result LinkIfFree(const std::string& path, const std::string& name, bool& existed) {
    existed = false;
    if (InjectedFault(FileStep::link, name) != 0 || ::link(path.c_str(), name.c_str()) != 0) {
        existed = errno == EEXIST;
        return existed ? Result::Ok() : Result::Fail(ErrorKind::unavailable, CannotWriteFileMessage(name));
    }
    return SyncFolder(FolderOf(name)) ? Result::Ok()
                                      : Result::Fail(ErrorKind::io, CannotWriteFileMessage(name));
}

bool SyncFolder(const std::string& folder) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid()) {
        return false;
    }
    // Some file systems cannot sync a folder; their entries are then as durable as they make them.
    return ::fsync(fd.Get()) == 0 || errno == EINVAL || errno == ENOTSUP;
}

std::string FileMessage(MessageId id, std::string_view path) {
    return ReplaceAll(LoadMessage(id), kPathPlaceholder, path);
}

std::string CannotWriteFileMessage(const std::string& path) {
    return FileMessage(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, path);
}

}  // namespace tidewell
