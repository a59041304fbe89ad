#include "files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "files/file_faults.h"
#include "files/unique_fd.h"
#include "text/messages.h"

namespace tidewell {

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit, int* error) {
    bytes.clear();
    int ignored = 0;
    int& failure = error != nullptr ? *error : ignored;
    failure = 0;
    // Non-blocking so that a named pipe in place of the file cannot hang the open.
    const UniqueFd file(InjectedFault(FileStep::read, path) != 0
                            ? -1
                            : ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!file.Valid()) {
        failure = errno;
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Failed;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        failure = errno;
        return ReadStatus::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        failure = S_ISDIR(info.st_mode) ? EISDIR : 0;
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
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            failure = errno;
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

std::string ReadFailureReason(int error) {
    return error == 0 ? LoadMessage(IDS_ERROR_FILE_NOT_A_REGULAR_FILE) : std::string(std::strerror(error));
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
