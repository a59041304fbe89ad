#include "config/copy_user_data.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

#include "text/message_table.h"
#include "text/messages.h"
#include "text/text_util.h"

namespace tidewell {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPathPlaceholder = "#1";
constexpr std::string_view kStagingMark = ".tw-copy-";
constexpr std::size_t kStagingStemBytes = 64;
constexpr std::size_t kChunkBytes = 1u << 20;
constexpr mode_t kFolderMode = 0777;  // less the umask, as any new folder

std::string MessageFor(MessageId id, const fs::path& path) {
    return ReplaceAll(LoadMessage(id), kPathPlaceholder, path.string());
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    bool Close() {
        const bool ok = m_fd < 0 || ::close(m_fd) == 0;
        m_fd = -1;
        return ok;
    }

private:
    int m_fd;
};

void SyncFolder(const fs::path& folder) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

// A fresh name beside the target that no one else uses.
fs::path StagingPath(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    std::string name = ".";
    name += target.filename().string().substr(0, kStagingStemBytes);
    name += kStagingMark;
    name += std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    return target.parent_path() / name;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

enum class CopyOutcome { Done, ReadFailed, WriteFailed, Canceled };

// Copies an open file into a new file at `staging` with the source's mode and times, synced.
// `chunk` is told the byte count of every piece and may cancel.
CopyOutcome CopyOpenFile(int source, const fs::path& staging, const std::function<bool(std::size_t)>& chunk) {
    struct stat info {};
    if (::fstat(source, &info) != 0) {
        return CopyOutcome::ReadFailed;
    }
    Fd target(::open(staging.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!target.valid()) {
        return CopyOutcome::WriteFailed;
    }
    std::vector<char> buffer(kChunkBytes);
    for (;;) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return CopyOutcome::ReadFailed;
        }
        if (got == 0) {
            break;
        }
        if (!WriteAll(target.get(), buffer.data(), static_cast<std::size_t>(got))) {
            return CopyOutcome::WriteFailed;
        }
        if (chunk && !chunk(static_cast<std::size_t>(got))) {
            return CopyOutcome::Canceled;
        }
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::fchmod(target.get(), info.st_mode & 07777);
    ::futimens(target.get(), times);
    if (::fsync(target.get()) != 0 || !target.Close()) {
        return CopyOutcome::WriteFailed;
    }
    return CopyOutcome::Done;
}

struct Entry {
    fs::path relative;
    fs::file_type type = fs::file_type::none;
    std::uint64_t size = 0;
};

struct Staged {
    fs::path staging;
    fs::path target;
};

// One copy or move, with what it has made so far so that a failure can take it back.
class CopyJob {
public:
    CopyJob(fs::path from, fs::path to, CopyMode mode, const CopyProgressCallback& progress)
        : m_from(std::move(from)), m_to(std::move(to)), m_mode(mode), m_progress(progress) {}

    Result Run();

private:
    Result Check();
    Result Scan();
    Result CreateFolders(const fs::path& folder);
    Result Stage(const Entry& entry);
    Result StageFile(const Entry& entry, const fs::path& target);
    Result Commit();
    Result RemoveSource();
    void Undo();
    bool Tell(const std::string& file);

    const fs::path m_from;
    const fs::path m_to;
    const CopyMode m_mode;
    const CopyProgressCallback& m_progress;
    std::vector<Entry> m_entries;
    std::vector<Staged> m_staged;
    std::vector<fs::path> m_createdFolders;
    CopyProgress m_state;
};

Result CopyJob::Run() {
    if (Result checked = Check(); !checked.ok()) {
        return checked;
    }
    if (Result scanned = Scan(); !scanned.ok()) {
        return scanned;
    }
    Result staged = CreateFolders(m_to);
    for (std::size_t i = 0; staged.ok() && i < m_entries.size(); ++i) {
        staged = Stage(m_entries[i]);
    }
    if (!staged.ok()) {
        Undo();
        return staged;
    }
    if (Result committed = Commit(); !committed.ok()) {
        return committed;
    }
    return m_mode == CopyMode::Move ? RemoveSource() : Result::Ok();
}

bool IsWithin(const fs::path& path, const fs::path& folder) {
    const auto mismatch = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return mismatch.first == folder.end();
}

Result CopyJob::Check() {
    std::error_code error;
    if (!fs::is_directory(m_from, error)) {
        return Result::Fail(ErrorKind::notFound, MessageFor(IDS_ERROR_FILE_PATH_IS_NOT_AN_EXISTING_DIRECTORY, m_from));
    }
    const fs::path from = fs::weakly_canonical(m_from, error);
    const fs::path to = error ? fs::path() : fs::weakly_canonical(m_to, error);
    // Copying a folder into itself never ends; the target cannot lie inside the source.
    if (error || IsWithin(to, from)) {
        return Result::Fail(ErrorKind::invalid,
            LoadMessage(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME));
    }
    return Result::Ok();
}

Result CopyJob::Scan() {
    std::error_code error;
    fs::path at = m_from;  // where a failing step of the walk was
    fs::recursive_directory_iterator it(m_from, error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        at = it->path();
        Entry entry;
        entry.relative = at.lexically_relative(m_from);
        entry.type = it->symlink_status(error).type();
        if (error) {
            break;
        }
        if (entry.type == fs::file_type::regular) {
            entry.size = it->file_size(error);
            m_state.bytesTotal += entry.size;
            ++m_state.filesTotal;
        } else if (entry.type == fs::file_type::symlink) {
            ++m_state.filesTotal;
        } else if (entry.type != fs::file_type::directory) {
            continue;
        }
        m_entries.push_back(std::move(entry));
    }
    if (error) {
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, at));
    }
    // Folders before what they hold; the same order on every run.
    std::sort(m_entries.begin(), m_entries.end(),
              [](const Entry& a, const Entry& b) { return a.relative < b.relative; });
    // The source inside the target: a target must not land on a source entry.
    const fs::path from = fs::weakly_canonical(m_from, error);
    const fs::path to = fs::weakly_canonical(m_to, error);
    if (!error && IsWithin(from, to)) {
        const fs::path inside = from.lexically_relative(to);
        for (const Entry& entry : m_entries) {
            if (IsWithin(entry.relative, inside)) {
                return Result::Fail(ErrorKind::invalid,
                    LoadMessage(IDS_ERROR_FILE_DESTINATION_FILE_CAN_NOT_SAME_AS_SOURCE_CHOOSE_ANOTHER_NAME));
            }
        }
    }
    return Result::Ok();
}

// Creates the folder and the missing ones above it, remembering each for Undo.
Result CopyJob::CreateFolders(const fs::path& folder) {
    std::vector<fs::path> missing;
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        struct stat info {};
        if (::stat(at.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) {
                return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
            }
            break;
        }
        missing.push_back(at);
        if (at == at.parent_path()) {
            break;
        }
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (::mkdir(it->c_str(), kFolderMode) != 0) {
            return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
        }
        m_createdFolders.push_back(*it);
    }
    return Result::Ok();
}

bool CopyJob::Tell(const std::string& file) {
    m_state.file = file;
    return !m_progress || m_progress(m_state);
}

Result CopyJob::Stage(const Entry& entry) {
    const fs::path target = m_to / entry.relative;
    if (entry.type == fs::file_type::directory) {
        return CreateFolders(target);
    }
    struct stat existing {};
    if (::lstat(target.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        // A folder where the file goes cannot be replaced by it.
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, target));
    }
    if (entry.type == fs::file_type::regular) {
        return StageFile(entry, target);
    }
    std::error_code error;
    const fs::path link = fs::read_symlink(m_from / entry.relative, error);
    if (error) {
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, m_from / entry.relative));
    }
    const fs::path staging = StagingPath(target);
    fs::create_symlink(link, staging, error);
    if (error) {
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target));
    }
    m_staged.push_back({staging, target});
    ++m_state.filesDone;
    if (!Tell(entry.relative.string())) {
        return Result::Fail(ErrorKind::cancelled, LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
    }
    return Result::Ok();
}

Result CopyJob::StageFile(const Entry& entry, const fs::path& target) {
    const fs::path source = m_from / entry.relative;
    Fd input(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    if (!input.valid()) {
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, source));
    }
    const fs::path staging = StagingPath(target);
    const std::string name = entry.relative.string();
    const CopyOutcome outcome = CopyOpenFile(input.get(), staging, [&](std::size_t bytes) {
        m_state.bytesDone += bytes;
        return Tell(name);
    });
    if (outcome != CopyOutcome::Done) {
        std::error_code ignored;
        fs::remove(staging, ignored);
    }
    switch (outcome) {
        case CopyOutcome::ReadFailed:
            return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, source));
        case CopyOutcome::WriteFailed:
            return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target));
        case CopyOutcome::Canceled:
            return Result::Fail(ErrorKind::cancelled, LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
        case CopyOutcome::Done: break;
    }
    m_staged.push_back({staging, target});
    ++m_state.filesDone;
    if (!Tell(name)) {
        return Result::Fail(ErrorKind::cancelled, LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
    }
    return Result::Ok();
}

Result CopyJob::Commit() {
    std::set<fs::path> folders;
    for (std::size_t i = 0; i < m_staged.size(); ++i) {
        const Staged& staged = m_staged[i];
        if (::rename(staged.staging.c_str(), staged.target.c_str()) != 0) {
            // What is in place stays; the rest is dropped and the source is kept.
            for (std::size_t j = i; j < m_staged.size(); ++j) {
                ::unlink(m_staged[j].staging.c_str());
            }
            return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP, staged.target));
        }
        folders.insert(staged.target.parent_path());
    }
    for (const fs::path& folder : m_createdFolders) {
        folders.insert(folder.parent_path());
    }
    for (const fs::path& folder : folders) {
        SyncFolder(folder);
    }
    return Result::Ok();
}

// Every copy is in place and synced; only now do the originals go.
Result CopyJob::RemoveSource() {
    Result result = Result::Ok();
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        const fs::path source = m_from / it->relative;
        if (::remove(source.c_str()) != 0 && result.ok()) {
            result =
                Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_DELETE_FILE_CHECK_DISK_PROTECTION, source));
        }
    }
    SyncFolder(m_from);
    return result;
}

void CopyJob::Undo() {
    for (const Staged& staged : m_staged) {
        ::unlink(staged.staging.c_str());
    }
    m_staged.clear();
    for (auto it = m_createdFolders.rbegin(); it != m_createdFolders.rend(); ++it) {
        ::rmdir(it->c_str());  // only when still empty
    }
    m_createdFolders.clear();
}

}  // namespace

Result CopyUserData(const std::string& from, const std::string& to, CopyMode mode,
                    const CopyProgressCallback& progress) {
    return CopyJob(fs::path(from).lexically_normal(), fs::path(to).lexically_normal(), mode, progress).Run();
}

Result CopyFileIfMissing(const std::string& from, const std::string& to) {
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        return Result::Ok();
    }
    Fd input(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!input.valid() || ::fstat(input.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return Result::Fail(ErrorKind::io, MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, from));
    }
    const fs::path target(to);
    const fs::path staging = StagingPath(target);
    const CopyOutcome outcome = CopyOpenFile(input.get(), staging, {});
    // A link fails where anything appeared meanwhile, so an existing file is never replaced.
    const bool linked =
        outcome == CopyOutcome::Done && (::link(staging.c_str(), target.c_str()) == 0 || errno == EEXIST);
    ::unlink(staging.c_str());
    if (!linked) {
        return Result::Fail(ErrorKind::io, outcome == CopyOutcome::ReadFailed
                                ? MessageFor(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, from)
                                : MessageFor(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, target));
    }
    SyncFolder(target.parent_path());
    return Result::Ok();
}

}  // namespace tidewell
