#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>
#include <string_view>

#include "base/result.h"
#include "files/unique_fd.h"
#include "text/messages.h"

namespace tidewell {

// New bytes for a file, put together in a new file beside the target: created exclusively
// (mode 0600) under a hidden name in the target's folder, it takes the target's place only when
// committed, so that a crash at any instant leaves the old or the new file, never a mix. A file
// that is not committed is removed when the value goes and the target stays as it was.
// Every failure is the program's "cannot write the file" message naming the target.
class StagedFile {
public:
    StagedFile() = default;
    ~StagedFile() { Discard(); }
    StagedFile(StagedFile&& other) noexcept;
    StagedFile& operator=(StagedFile&& other) noexcept;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Creates the new file in the target's folder, which must exist (it is not created).
    Result Open(const std::string& target);
    // As Open, with a symbolic link to `linkText` in place of a file.
    Result OpenLink(const std::string& target, const std::string& linkText);
    Result Write(std::string_view bytes);
    // The new file's descriptor, for its mode and times; -1 once finished.
    int Fd() const { return m_fd.Get(); }
    // Syncs and closes the new file; the commits do it when it was not done.
    Result Finish();
    // Renames the new file over the target and syncs the folder. Only a failed sync of the
    // folder is reported while the new bytes are in place: they may then not survive a power loss.
    Result Commit();
    // Puts the new file in place only when nothing has the target's name, by a hard link, so that
    // a name that appears meanwhile is never replaced; `existed` tells that something was there
    // (the result is then a success that changed nothing).
    Result CommitIfMissing(bool& existed);
    // Removes the new file now.
    void Discard();

    const std::string& Target() const { return m_target; }

private:
    Result Failed();
    template <typename Create>
    Result Stage(const std::string& target, Create create);

    UniqueFd m_fd;
    std::string m_target;
    std::string m_path;  // the new file; empty once committed or discarded
};

// The mode of a file only its owner reads and writes, as every new file starts.
inline constexpr mode_t kPrivateFileMode = 0600;

// Where a replacement of `path` lands: the end of the chain when `path` is a symbolic link
// (relative links count from the link's folder), so that the link stays and what it points at
// gets the new bytes; `path` itself otherwise. False for a loop of links.
bool ReplacementTarget(const std::string& path, std::string& target);

// Replaces the file at `path` (or the one a symbolic link there points at) with `bytes`, of
// mode `mode`, through a StagedFile. Missing folders are not created. On failure the old file
// stays as it was and no new file is left.
Result WriteFileDurably(const std::string& path, std::string_view bytes, mode_t mode = kPrivateFileMode);

// Removes what interrupted replacements of `target` left in its folder: entries named as
// StagedFile names the new files of that target (".<name>.tmp-<pid>-<count>-<random>"),
// files or links, last changed before `before` (the start of the running instance, so that a
// replacement going on now is left alone). Returns how many went.
int RemoveStaleStagedFiles(const std::string& target, const timespec& before);

// Gives the file at `path` the second name `name` (a hard link) and syncs the folder, unless
// `name` is taken: `existed` is then true and nothing changes. Fails (unavailable) where the file
// system offers no such link, (io) when the folder cannot be synced.
Result LinkIfFree(const std::string& path, const std::string& name, bool& existed);

// Makes the folder's entries durable; true also where the file system cannot sync a folder.
bool SyncFolder(const std::string& folder);

// The program's message `id` with its "#1" filled by `path`.
std::string FileMessage(MessageId id, std::string_view path);
// The message of a failed write of `path`.
std::string CannotWriteFileMessage(const std::string& path);

}  // namespace tidewell
