#include "files/folder_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "base/text_util.h"
#include "files/unique_fd.h"
#include "files/whole_file.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kChunkBytes = 1u << 20;
constexpr mode_t kFolderMode = 0777;

}  // namespace

Result ListTree(const fs::path& folder, std::vector<TreeEntry>& entries) {
    entries.clear();
    std::error_code error;
    fs::path at = folder;  // where a failing step of the walk was
    fs::recursive_directory_iterator it(folder, error);
    for (const fs::recursive_directory_iterator end; !error && it != end; it.increment(error)) {
        at = it->path();
        TreeEntry entry;
        entry.relative = at.lexically_relative(folder);
        entry.type = it->symlink_status(error).type();
        if (error) {
            break;
        }
        if (entry.type == fs::file_type::regular) {
            entry.size = it->file_size(error);
        } else if (entry.type != fs::file_type::symlink && entry.type != fs::file_type::directory) {
            continue;
        }
        entries.push_back(std::move(entry));
    }
    if (error) {
        entries.clear();
        return Result::Fail(ErrorKind::io,
                            FileMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, at.native()));
    }
    std::sort(entries.begin(), entries.end(),
              [](const TreeEntry& a, const TreeEntry& b) { return a.relative < b.relative; });
    return Result::Ok();
}

CreatedFolders::~CreatedFolders() {
    for (auto it = m_made.rbegin(); it != m_made.rend(); ++it) {
        ::rmdir(it->c_str());  // only when still empty
    }
}

Result CreatedFolders::Create(const std::string& folder, std::optional<mode_t> mode) {
    std::vector<fs::path> missing;
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        struct stat info {};
        if (::stat(at.c_str(), &info) == 0) {
            if (!S_ISDIR(info.st_mode)) {
                return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
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
            return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
        }
        m_made.push_back(it->string());
        // The umask may take more than the caller means to.
        if (mode && ::chmod(it->c_str(), *mode) != 0) {
            return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
        }
    }
    // Each new folder is an entry of the one above it.
    for (const fs::path& made : missing) {
        if (!SyncFolder(made.has_parent_path() ? made.parent_path().string() : ".")) {
            return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR, folder));
        }
    }
    return Result::Ok();
}

Result CreateFolders(const std::string& folder, std::optional<mode_t> mode) {
    CreatedFolders folders;
    Result created = folders.Create(folder, mode);
    folders.Keep();
    return created;
}

FileCopy CopyFileInto(const std::string& source, StagedFile& target,
                      const std::function<bool(std::size_t)>& chunk) {
    // Non-blocking: a pipe or device in the file's place is refused, never waited for.
    const UniqueFd input(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!input.Valid() || ::fstat(input.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return FileCopy::ReadFailed;
    }
    std::string buffer(kChunkBytes, '\0');
    for (;;) {
        const ssize_t got = ::read(input.Get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return FileCopy::ReadFailed;
        }
        if (got == 0) {
            break;
        }
        if (!target.Write(std::string_view(buffer.data(), static_cast<std::size_t>(got))).ok()) {
            return FileCopy::WriteFailed;
        }
        if (chunk && !chunk(static_cast<std::size_t>(got))) {
            return FileCopy::Stopped;
        }
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::fchmod(target.Fd(), info.st_mode & 07777);
    ::futimens(target.Fd(), times);
    return target.Finish().ok() ? FileCopy::Done : FileCopy::WriteFailed;
}

Result CopyFileIfMissing(const std::string& from, const std::string& to) {
    struct stat existing {};
    if (::lstat(to.c_str(), &existing) == 0) {
        return Result::Ok();
    }
    struct stat info {};
    if (::stat(from.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return Result::Fail(ErrorKind::notFound,
                            FileMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, from));
    }
    StagedFile target;
    if (Result opened = target.Open(to); !opened.ok()) {
        return opened;
    }
    const FileCopy copied = CopyFileInto(from, target);
    if (copied == FileCopy::ReadFailed) {
        return Result::Fail(ErrorKind::io, FileMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, from));
    }
    bool existed = false;
    if (copied != FileCopy::Done || !target.CommitIfMissing(existed).ok()) {
        return Result::Fail(ErrorKind::io,
                            FileMessage(IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP_DISK_FULL, to));
    }
    return Result::Ok();
}

}  // namespace tidewell
