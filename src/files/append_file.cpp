#include "files/append_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/durable_file.h"
#include "files/file_faults.h"
#include "files/paths.h"
#include "files/unique_fd.h"
#include "files/whole_file.h"

namespace tidewell {

namespace {

// Empties an oversized file through the open descriptor: no moment without the file, and the
// check and the emptying concern the same file.
bool StartAnewWhenLarger(int fd, std::uint64_t limit) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        return ::ftruncate(fd, 0) == 0;
    }
    return true;
}

Result CannotAppend(const std::string& path) {
    return Result::Fail(errno == ENOENT ? ErrorKind::notFound : ErrorKind::io, CannotWriteFileMessage(path));
}

}  // namespace

Result AppendDurably(const std::string& path, std::string_view bytes) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0) return CannotAppend(path);
    if (InjectedFault(FileStep::write, path) != 0 || !WriteAll(fd.Get(), bytes) ||
        ::fdatasync(fd.Get()) != 0 || !fd.Close()) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    // An empty file may have just been made: its name must be durable too.
    if (info.st_size == 0 && !SyncFolder(FolderOf(path))) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    return Result::Ok();
}

Result AppendToFile(const std::string& path, std::string_view bytes, std::uint64_t startAnewAbove) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600));
    if (!fd.Valid()) {
        return CannotAppend(path);
    }
    const bool written = StartAnewWhenLarger(fd.Get(), startAnewAbove) && WriteAll(fd.Get(), bytes);
    const bool closed = fd.Close();
    if (!written || !closed) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    return Result::Ok();
}

}  // namespace tidewell
