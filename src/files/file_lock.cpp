#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace tidewell {

FileLock::FileLock(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
    if (!m_fd.Valid()) {
        return;
    }
    int rc = 0;
    while ((rc = ::flock(m_fd.Get(), LOCK_EX)) != 0 && errno == EINTR) {
    }
    m_held = rc == 0;
}

}  // namespace tidewell
