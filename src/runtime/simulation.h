#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/task_list.h"
#include "time/local_time.h"
#include "timing/random_source.h"

namespace tidewell {

// A dry run of the scheduling passes over a stretch of time, on simulated wall-clock and
// monotonic clocks in the process's time zone. Nothing runs and nothing is saved: the runs are
// collected instead.
struct SimulationOptions {
    int64_t fromEpoch = 0;  // seconds since 1970 (UTC), the simulated start-up
    int64_t toEpoch = 0;    // the last simulated second
    bool autoload = false;  // started by the logon entry
    int tickJitterMs = 0;   // each tick comes up to this much early or late
    int stallEvery = 0;     // every this many ticks, one comes late by stallMs (0: never)
    int stallMs = 0;
    uint64_t seed = 0;
};

struct SimulatedRun {
    DateTime ranAt;  // the wall-clock second of the pass that ran it
    DateTime dueAt;  // the instant it was due (its last run afterwards)
    std::string title;
};

// Loads nothing: `list` is the list as loaded at the start-up instant (next and previous runs
// computed). The start-up pass runs one second after the start, then one pass per tick.
std::vector<SimulatedRun> Simulate(TaskList& list, const SimulationOptions& options, RandomSource& random);

}  // namespace tidewell
