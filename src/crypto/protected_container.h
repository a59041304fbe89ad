#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "crypto/protect_file_format.h"

namespace tidewell {

// Told after each chunk of content; answering false cancels the operation.
class ProtectProgress {
public:
    virtual ~ProtectProgress() = default;
    virtual bool OnChunk(std::uint64_t bytesDone, std::uint64_t bytesTotal) = 0;
};

// The wait a wrong key earns, to slow down guessing: at most this per attempt. OpenContainer does
// not wait; whoever took the key from a person makes them wait, a tool by its own wait, a window by
// refusing input for as long, so that nothing sleeps on the thread that runs passes.
inline constexpr std::chrono::milliseconds kWrongKeyDelay{500};

// The protected container of `plain` under `key` (its length is the caller's to check), in
// memory. `record` describes the source; its size is set to the length of `plain`. Fails
// (invalid) for a source the length fields cannot describe, (cancelled) when `progress` stops.
Result SealContainer(std::string_view plain, std::string_view key, ContainerFileRecord record,
                     std::string& container, ProtectProgress* progress = nullptr);

// The bytes a container holds, in memory. A wrong key fails (wrongPassword) at once; a container
// that is not ours, newer, cut, or followed by more than the outer layer's zero padding fails
// (damaged); a stop by `progress` fails (cancelled). Messages are the program's one-line texts;
// `plain` is empty on failure.
Result OpenContainer(std::string_view container, std::string_view key, std::string& plain,
                     ProtectProgress* progress = nullptr);

}  // namespace tidewell
