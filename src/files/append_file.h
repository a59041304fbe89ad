#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

// Appends `bytes` to the file at `path`, creating it (mode 0600) when missing. A file already
// holding more than `startAnewAbove` bytes is emptied first, so that the bytes start it anew.
// The file is opened and closed within the call: no handle is kept between calls.
// On failure the message is the program's "cannot write the file" text naming `path`.
Result AppendToFile(const std::string& path, std::string_view bytes,
                    std::uint64_t startAnewAbove = UINT64_MAX);

// Appends `bytes` as AppendToFile does, then makes them durable before returning: the data is
// synced, and the folder too when the file was new, so that the bytes survive a crash or a
// power loss that follows at once.
Result AppendDurably(const std::string& path, std::string_view bytes);

}  // namespace tidewell
