#pragma once

#include <cstdint>

namespace tidewell {

// Where random run times draw from; tests pass a seeded source.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A uniform integer in 1..n; n is at least 1.
    virtual int64_t DrawOneTo(int64_t n) = 0;
};

}  // namespace tidewell
