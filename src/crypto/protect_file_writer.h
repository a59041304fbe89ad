#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace tidewell {

// Output written in pieces to a new file beside the target (created exclusively, mode 0600)
// and put in place by Commit: synced, renamed over the target, folder synced. Until then the
// target is untouched; an output that is not committed is removed when the object ends.
class StagedOutputFile {
public:
    StagedOutputFile() = default;
    ~StagedOutputFile();
    StagedOutputFile(const StagedOutputFile&) = delete;
    StagedOutputFile& operator=(const StagedOutputFile&) = delete;

    // Creates the staging file in the target's folder, which must exist. False with errno set.
    bool Open(const std::string& target);
    // Appends all bytes; false on a write error (errno set).
    bool Write(std::span<const std::uint8_t> bytes);

    // Keeps an existing target under a backup name instead of replacing it outright.
    struct CommitResult {
        bool ok = false;
        bool backupFailed = false;  // the existing target could not be moved to its backup name
        std::string backupPath;     // the backup made, empty when none
    };
    // Syncs and renames the staging file over the target. With `keepBackup` an existing target
    // is first kept as "<target>.bak" (".bak" added again while that name is taken).
    CommitResult Commit(bool keepBackup);

    // Removes the staging file now.
    void Discard();

private:
    int m_fd = -1;
    std::string m_target;
    std::string m_stagingPath;
};

// The first of "<path>.bak", "<path>.bak.bak", ... that names no existing file.
std::string NextBackupName(const std::string& path);

}  // namespace tidewell
