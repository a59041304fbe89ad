#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "text/result.h"

namespace tidewell {

// Replaces the file at `path` with `bytes` so that a crash at any instant leaves either the old or
// the new file, never a mix: the bytes go to a new file created exclusively (mode 0600) in the same
// folder, are synced, the new file is renamed over the target and the folder is synced.
// Missing folders are not created. On failure the new file is removed, the old file stays as it
// was, and the message is the program's "cannot write the file" text naming `path`.
// Only a failed sync of the folder after the rename is reported while the new bytes are in place:
// they may then not survive a power loss.
Result WriteFileDurably(const std::string& path, std::string_view bytes);

// Where a file that could not be read is kept as it was: "<path>.damaged" for the first
// copy, "<path>.damaged-2", "<path>.damaged-3", ... after it.
inline constexpr std::string_view kKeptAsideSuffix = ".damaged";
std::string KeptAsideName(const std::string& path, int number);

// The message of a failed write of `path`.
std::string CannotWriteFileMessage(const std::string& path);

enum class ReadStatus {
    Ok,
    Missing,   // no such file
    TooLarge,  // longer than the limit
    Failed,    // not a regular file, no permission, read error
};

inline constexpr std::size_t kNoReadLimit = std::numeric_limits<std::size_t>::max();

// Reads the whole regular file at `path` into `bytes`; `bytes` is empty unless the result is Ok.
// A file longer than `limit` bytes is not read.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit = kNoReadLimit);

}  // namespace tidewell
