#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "base/text_util.h"
#include "files/durable_file.h"
#include "files/file_faults.h"
#include "files/unique_fd.h"
#include "text/messages.h"

namespace tidewell {

namespace {

Result CannotRead(const std::string& path, int error) {
    const std::string reason =
        error == 0 ? LoadMessage(IDS_ERROR_FILE_NOT_A_REGULAR_FILE) : std::string(std::strerror(error));
    return Result::Fail(ErrorKind::io,
                        ReplaceAll(FileMessage(IDS_ERROR_FILE_CAN_NOT_READ_FILE_REASON, path), "#2", reason));
}

Result TooLarge() {
    return Result::Fail(ErrorKind::invalid,
                        LoadMessage(IDS_ERROR_MEMORY_INSUFFICIENT_MEMORY_PLEASE_QUIT_APPLICATIONS));
}

}  // namespace

Result ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit) {
    bytes.clear();
    // Non-blocking so that a named pipe in place of the file cannot hang the open.
    const UniqueFd file(InjectedFault(FileStep::read, path) != 0
                            ? -1
                            : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.Valid()) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return Result::Fail(ErrorKind::notFound, FileMessage(IDS_ERROR_FILE_FILE_NOT_FOUND, path));
        }
        return CannotRead(path, errno);
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        return CannotRead(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return CannotRead(path, S_ISDIR(info.st_mode) ? EISDIR : 0);
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > limit) {
        return TooLarge();
    }
    std::string buffer;
    buffer.reserve(size);
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return CannotRead(path, errno);
        }
        if (got == 0) {
            break;
        }
        // The file may grow while it is read; the limit holds all the same.
        if (static_cast<std::size_t>(got) > limit - buffer.size()) {
            return TooLarge();
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    bytes = std::move(buffer);
    return Result::Ok();
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

}  // namespace tidewell
