#pragma once

#include <unistd.h>

#include <utility>

namespace tidewell {

// The one owner of a file descriptor: closed when the value goes, or earlier by Close.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Drop(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Drop();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now; false when the close failed (a deferred write error shows up here).
    bool Close() {
        if (m_fd < 0) {
            return true;
        }
        const int rc = ::close(std::exchange(m_fd, -1));
        return rc == 0;
    }
    // Closes now without a verdict: for a descriptor that was only read, or whose writes failed
    // already or were checked by an explicit Close. A failing close (EINTR included, which must
    // not be retried on Linux) has then nothing left to report.
    void Drop() {
        if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    }

private:
    int m_fd = -1;
};

}  // namespace tidewell
