#pragma once

#include <vector>

#include "platform/sleeper.h"

namespace tidewell::testing {

// A sleeper that never waits: it keeps every wait asked for.
class RecordingSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override { waits.push_back(duration); }
    std::vector<std::chrono::milliseconds> waits;
};

}  // namespace tidewell::testing
