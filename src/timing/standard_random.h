#pragma once

#include <random>

#include "timing/random_source.h"

namespace tidewell {

// The program's random source: a standard engine seeded once from the system.
class StandardRandomSource final : public RandomSource {
public:
    StandardRandomSource();
    // A fixed seed, for reproducible runs.
    explicit StandardRandomSource(uint64_t seed) : m_engine(seed) {}
    int64_t DrawOneTo(int64_t n) override;

private:
    std::mt19937_64 m_engine;
};

}  // namespace tidewell
