#pragma once

#include <string>

#include "files/unique_fd.h"

namespace tidewell {

// An exclusive lock (flock) on a lock file, held while the value lives, so that processes that
// read, change and replace a shared file take turns. The lock file is created (mode 0600) when
// missing; where it cannot be opened the value holds no lock.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    bool Held() const { return m_held; }

private:
    UniqueFd m_fd;
    bool m_held = false;
};

}  // namespace tidewell
