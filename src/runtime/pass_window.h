#pragma once

#include <cstdint>
#include <optional>

#include "time/date_time.h"

namespace tidewell {

// One reading of the clocks at the start of a pass: the local wall-clock time in whole seconds,
// and a monotonic time in milliseconds that keeps counting while the machine sleeps.
struct PassInstant {
    DateTime wall;
    int64_t monotonicMs = 0;
};

// The wall-clock seconds one pass covers: every instant t with from < t <= to. A task falls due
// in the pass whose window holds its run time; a run time at or before `from` is overdue.
struct PassWindow {
    DateTime from;
    DateTime to;
    bool Holds(const DateTime& instant) const { return from < instant && instant <= to; }
};

// How the passes cover the wall clock when ticks are late or the clock moves:
//
// - A pass covers the seconds after the previous pass's "now" up to its own, so a late tick or a
//   user-interface stall of up to kMaxCatchUpMs loses no run: what fell due inside runs at once.
// - The wall clock moved forward by up to an hour more than the monotonic clock (daylight saving
//   begins, or a small correction): the skipped seconds are covered too, so what was due in the
//   skipped hour runs once, at once.
// - The wall clock moved backward (daylight saving ends, a correction): the pass covers only its
//   own second. Instants already run are not run again: a run advances its task past them, and a
//   run time not after the task's last run is never run twice.
// - A long stall, a suspend (the monotonic clock counts the sleep) or a far jump: the pass covers
//   only its own second; what was missed is overdue and advanced without running.
// - Passes on time: each covers exactly its own second.
class PassWindowTracker {
public:
    static constexpr int64_t kMaxCatchUpMs = 60'000;
    static constexpr int64_t kMaxForwardShiftMs = 3'600'000;
    // Wall seconds are whole while monotonic time is not: a drift this small is no jump.
    static constexpr int64_t kDriftToleranceMs = 2'000;

    // The instant the list was loaded: the first pass covers the seconds since then.
    void Start(const PassInstant& loadedAt) { m_last = loadedAt; }
    PassWindow Next(const PassInstant& now);

private:
    std::optional<PassInstant> m_last;
};

}  // namespace tidewell
