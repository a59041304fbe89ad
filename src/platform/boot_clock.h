#pragma once

#include <cstdint>

namespace tidewell {

// Milliseconds since boot, counting the time the machine slept: the scheduling passes tell a
// late tick from a suspend and from a wall-clock jump with it.
int64_t BootTimeMs();

}  // namespace tidewell
