#pragma once

#include <string>

#include "files/unique_fd.h"

namespace tidewell {

// An exclusive lock (flock) on a lock file, held while the value lives, so that processes that
// read, change and replace a shared file take turns. The lock file is created (mode 0600) when
// missing; where it cannot be opened the value holds no lock.
class FileLock {
public:
    enum class Wait { untilFree, no };

    FileLock() = default;  // holds nothing
    // With Wait::no a lock held elsewhere is not waited for: the value then holds nothing and
    // says so (HeldElsewhere).
    explicit FileLock(const std::string& path, Wait wait = Wait::untilFree);
    FileLock(FileLock&&) noexcept = default;
    FileLock& operator=(FileLock&&) noexcept = default;

    bool Held() const { return m_held; }
    bool HeldElsewhere() const { return m_elsewhere; }

private:
    UniqueFd m_fd;
    bool m_held = false;
    bool m_elsewhere = false;
};

}  // namespace tidewell
