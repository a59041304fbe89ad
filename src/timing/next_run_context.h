#pragma once

#include "time/clock.h"
#include "timing/random_source.h"

namespace tidewell {

// What the next-run computation takes from outside: "now" and the random
// source of randomized run times.
struct NextRunContext {
    const Clock& clock;
    RandomSource& random;
};

}  // namespace tidewell
