#include "files/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

namespace tidewell {

FileLock::FileLock(const std::string& path, Wait wait)
    : m_fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600)) {
    if (!m_fd.Valid()) {
        return;
    }
    const int operation = wait == Wait::no ? LOCK_EX | LOCK_NB : LOCK_EX;
    int rc = 0;
    while ((rc = ::flock(m_fd.Get(), operation)) != 0 && errno == EINTR) {
    }
    m_held = rc == 0;
    m_elsewhere = rc != 0 && errno == EWOULDBLOCK;
    if (!m_held) m_fd.Drop();
}

}  // namespace tidewell
