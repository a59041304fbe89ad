#include "crypto/protect_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace tidewell {

namespace {

constexpr const char* kBackupFormat = "%s.bak";
// Room kept in a file name for the staging prefix and suffix.
constexpr std::size_t kStagingNameRoom = 200;

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::string BackupName(const std::string& path) {
    std::vector<char> buffer(path.size() + 8);
    std::snprintf(buffer.data(), buffer.size(), kBackupFormat, path.c_str());
    return buffer.data();
}

}  // namespace

std::string NextBackupName(const std::string& path) {
    std::string name = BackupName(path);
    while (Exists(name)) {
        name = BackupName(name);
    }
    return name;
}

StagedOutputFile::~StagedOutputFile() {
    Discard();
}

bool StagedOutputFile::Open(const std::string& target) {
    Discard();
    const auto slash = target.rfind('/');
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > kStagingNameRoom) {
        std::size_t n = kStagingNameRoom;
        while (n > 0 && (static_cast<unsigned char>(base[n]) & 0xC0) == 0x80) {
            --n;
        }
        base.resize(n);
    }
    std::string pattern = FolderOf(target) + "/." + base + ".XXXXXX";
    // mkstemp creates with O_CREAT | O_EXCL and mode 0600.
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    m_fd = fd;
    m_target = target;
    m_stagingPath = pattern;
    return true;
}

bool StagedOutputFile::Write(std::span<const std::uint8_t> bytes) {
    if (m_fd < 0) {
        errno = EBADF;
        return false;
    }
    while (!bytes.empty()) {
        const ssize_t n = write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

StagedOutputFile::CommitResult StagedOutputFile::Commit(bool keepBackup) {
    CommitResult result;
    if (m_fd < 0 || fsync(m_fd) != 0 || close(m_fd) != 0) {
        Discard();
        return result;
    }
    m_fd = -1;

    // The backup is a second name of the old target (a hard link), so the target's name never
    // goes missing; where links are not offered the old target is renamed instead.
    bool renamedAway = false;
    if (keepBackup && Exists(m_target)) {
        std::string backup = NextBackupName(m_target);
        while (link(m_target.c_str(), backup.c_str()) != 0) {
            if (errno == EEXIST) {
                backup = NextBackupName(backup);
                continue;
            }
            if (rename(m_target.c_str(), backup.c_str()) != 0) {
                result.backupFailed = true;
                Discard();
                return result;
            }
            renamedAway = true;
            break;
        }
        result.backupPath = backup;
    }

    if (rename(m_stagingPath.c_str(), m_target.c_str()) != 0) {
        if (!result.backupPath.empty()) {
            if (renamedAway) {
                rename(result.backupPath.c_str(), m_target.c_str());
            } else {
                unlink(result.backupPath.c_str());
            }
            result.backupPath.clear();
        }
        Discard();
        return result;
    }
    m_stagingPath.clear();
    SyncFolder(FolderOf(m_target));
    result.ok = true;
    return result;
}

void StagedOutputFile::Discard() {
    if (m_fd >= 0) {
        close(m_fd);
        m_fd = -1;
    }
    if (!m_stagingPath.empty()) {
        unlink(m_stagingPath.c_str());
        m_stagingPath.clear();
    }
}

}  // namespace tidewell
