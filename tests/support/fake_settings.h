#pragma once

#include "platform/memory_settings.h"

namespace tidewell::testing {

// The tests' settings: held in memory, values open to inspection.
using FakeSettings = MemorySettings;

}  // namespace tidewell::testing
