#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

// Where a file that could not be read is kept as it was: "<path>.damaged" for the first copy,
// "<path>.damaged-2", "<path>.damaged-3", ... after it.
inline constexpr std::string_view kKeptAsideSuffix = ".damaged";
std::string KeptAsideName(const std::string& path, int number);

// The name of the number-th place (1, 2, ...) where the file at `path` may be kept.
using AsideName = std::function<std::string(const std::string& path, int number)>;

// Keeps the file at `path` as it is now under the first free name that `nameFor` gives: a hard
// link where the file system allows one (it keeps even a file that cannot be read), otherwise a
// synced copy; the folder is synced. Every save replaces `path` by a rename, so none can change
// the kept copy. A name that already is this very file (kept earlier) is taken as it is.
// `keptPath` receives the name; fails when the file can be neither linked nor copied.
Result KeepAside(const std::string& path, std::string& keptPath, const AsideName& nameFor = KeptAsideName);

}  // namespace tidewell
