#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace tidewell {

enum class [[nodiscard]] ReadStatus{
    Ok,
    Missing,   // no such file (or a file in place of one of its folders)
    TooLarge,  // longer than the limit
    Failed,    // not a regular file, no permission, read error
};

inline constexpr std::size_t kNoReadLimit = std::numeric_limits<std::size_t>::max();

// Reads the whole regular file at `path` into `bytes`; `bytes` is empty unless the result is Ok.
// A file longer than `limit` bytes is not read. A named pipe in the file's place never blocks.
// `error` (when given) receives the errno of a failure: EISDIR for a folder, 0 for another
// entry that is not a regular file.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::size_t limit = kNoReadLimit,
                         int* error = nullptr);

// Why a read failed, in words for the user, from the `error` ReadWholeFile gave.
std::string ReadFailureReason(int error);

// Writes all bytes to the descriptor, going on after interruptions; false on a write error.
bool WriteAll(int fd, std::string_view bytes);

}  // namespace tidewell
