#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "time/date_time.h"

namespace tidewell {

// Local wall-clock times in the process's time zone.

// The local wall-clock time of a moment given in seconds since 1970.
DateTime LocalTimeOf(int64_t epochSeconds);
// Seconds since 1970-01-01 00:00:00 UTC of a local wall-clock time. A time that a daylight-saving
// change skips or repeats is placed as the C library's mktime places it. Nothing when out of range.
std::optional<int64_t> LocalToUnixSeconds(const DateTime& local);
// The moment of a local wall-clock time; false when it does not exist (a daylight-saving gap
// takes the later reading).
bool EpochOf(const DateTime& local, int64_t& epochSeconds);

// The local times the wall clock skips (daylight saving begins) around a stretch of local time.
class LocalTimeGaps {
public:
    // The gaps that begin between a day before `from` and a day after `to`.
    static LocalTimeGaps Around(const DateTime& from, const DateTime& to);

    // The local time at which the wall clock first shows `local` or a later time: `local`
    // itself, or for a time inside a gap the first second after it. That is when a scheduling
    // pass finds a run due at `local`.
    DateTime FirstShownAtOrAfter(const DateTime& local) const;

private:
    struct Gap {
        DateTime begin;  // the first local time skipped
        DateTime end;    // the first local time shown again
    };
    std::vector<Gap> m_gaps;
};

}  // namespace tidewell
