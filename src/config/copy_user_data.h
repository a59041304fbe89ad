#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

enum class CopyMode { Copy, Move };

struct CopyProgress {
    std::uint64_t bytesDone = 0;
    std::uint64_t bytesTotal = 0;
    std::size_t filesDone = 0;
    std::size_t filesTotal = 0;
    std::string file;  // the file being copied, relative to the source folder
};

// Told after every piece of a file; returning false stops the copy (a cancel).
using CopyProgressCallback = std::function<bool(const CopyProgress&)>;

// Copies or moves the whole content of `from` (files, folders and links, hidden ones too) into
// `to`, which is created when missing and may already hold files; a file of the same name there
// is replaced.
//
// Every file is first copied beside its target under a temporary name and synced; only when all
// are copied are they renamed into place, and only after that does a move remove the source
// files (the source folder itself stays, empty). A failure or a cancel before that point leaves
// the target as it was and the source untouched; the message names what failed. Sockets, pipes
// and devices are left where they are.
//
// `leaveOut` names a file at the top of `from` that is neither copied nor moved.
Result CopyUserData(const std::string& from, const std::string& to, CopyMode mode,
                    const CopyProgressCallback& progress = {}, std::string_view leaveOut = {});

// Where a schedule file that a copy would replace is kept instead: "<path>.kept" for the first,
// "<path>.kept-2", "<path>.kept-3", ... after it.
inline constexpr std::string_view kKeptListSuffix = ".kept";
std::string KeptListName(const std::string& path, int number);
// The first of those names under which nothing exists yet.
std::string FreeKeptListName(const std::string& path);

}  // namespace tidewell
