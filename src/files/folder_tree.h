#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "files/durable_file.h"

namespace tidewell {

// One entry below a folder, as a walk of the tree finds it.
struct TreeEntry {
    std::filesystem::path relative;                                      // below the folder walked
    std::filesystem::file_type type = std::filesystem::file_type::none;  // regular, directory or symlink
    std::uint64_t size = 0;                                              // of a regular file
};

// Every file, folder and link below `folder`, hidden ones too, folders before what they hold and
// in the same order on every walk; sockets, pipes and devices are left out. A failing step fails
// with the "cannot open the file" message naming where it was.
Result ListTree(const std::filesystem::path& folder, std::vector<TreeEntry>& entries);

// Folders made on the way; the ones still empty go again when the value goes, unless kept.
class CreatedFolders {
public:
    CreatedFolders() = default;
    ~CreatedFolders();
    CreatedFolders(const CreatedFolders&) = delete;
    CreatedFolders& operator=(const CreatedFolders&) = delete;

    // Makes the folder and the missing ones above it (mode 0777 less the umask, or exactly
    // `mode` when given). A file in the way fails as any other failure, with the "cannot create
    // the folder" message naming `folder`.
    Result Create(const std::string& folder, std::optional<mode_t> mode = std::nullopt);
    void Keep() { m_made.clear(); }
    // Every folder made so far, the outermost first.
    const std::vector<std::string>& Made() const { return m_made; }

private:
    std::vector<std::string> m_made;
};

// Makes the folder and the missing ones above it for good, as CreatedFolders::Create does.
Result CreateFolders(const std::string& folder, std::optional<mode_t> mode = std::nullopt);

enum class FileCopy { Done, ReadFailed, WriteFailed, Stopped };

// Copies the regular file at `source` into the staged file, with the source's mode and times, and
// finishes it (synced). `chunk` is told the byte count of every piece and stops the copy by
// answering false.
FileCopy CopyFileInto(const std::string& source, StagedFile& target,
                      const std::function<bool(std::size_t)>& chunk = {});

// Copies the file to `to` (new file, synced, linked into place) unless something is there
// already; an existing target is never replaced and counts as success.
Result CopyFileIfMissing(const std::string& from, const std::string& to);

}  // namespace tidewell
