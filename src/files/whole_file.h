#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

inline constexpr std::size_t kNoReadLimit = std::numeric_limits<std::size_t>::max();

// Reads the whole regular file at `path` into `bytes`; `bytes` is empty unless the read succeeds.
// A file longer than `limit` bytes is not read. A named pipe in the file's place never blocks.
// Fails (notFound) when there is no such file or a file stands in place of one of its folders,
// (invalid) when it is longer than the limit, and (io) for anything else: not a regular file, no
// permission, a read error. The message is the program's: the file not found, insufficient memory,
// or the file that cannot be read and why.
Result ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit = kNoReadLimit);

// Writes all bytes to the descriptor, going on after interruptions; false on a write error.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace tidewell
