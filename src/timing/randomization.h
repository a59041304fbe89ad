#pragma once

#include <cstdint>
#include <optional>

#include "model/task_record.h"
#include "timing/next_run_context.h"

namespace tidewell {

// The largest random period: 12,000 hours.
inline constexpr int64_t kMaxRandomPeriodSeconds = 43200000;

// A random period as the wizard shows it: a quantity of one unit.
struct PeriodDisplay {
    int64_t quantity = 0;
    TimeUnit unit = TimeUnit::seconds;
};

// Whole seconds as a quantity of the largest unit that shows them well:
// 1800 is 30 minute(s), 7200 is 2 hour(s), 3601 stays 3601 second(s).
PeriodDisplay SplitPeriod(int64_t seconds);

struct ValidPeriodResult {
    int64_t limit = kMaxRandomPeriodSeconds;  // largest valid period in seconds
    PeriodDisplay display;                    // of the (clamped) random period
};

// The largest random period that keeps the random run before the ending time
// and before the following run (when "Adjust period to be valid" is on), and
// the task's period clamped to it. Returns nullopt, with randomization
// switched off in the task, when the schedule leaves no room at all.
std::optional<ValidPeriodResult> ValidPeriod(TaskRecord& task, const NextRunContext& context);

// ValidPeriod, then draws the final random time uniformly in 1..RP seconds
// after the next run, and flags it when it passes the ending time or the
// following run. A period of 0 seconds puts the final time on the next run.
// Returns false when ValidPeriod fails.
bool Decide(TaskRecord& task, const NextRunContext& context);

enum class RandomizeMode : int32_t { splitPeriod = 0, validPeriod = 1, decide = 2 };

// The three services of the randomization page in one call: the display pair
// of rp (split), of the task's valid period (valid), or a new decision
// (decide). nullopt when the mode is unknown or the period is not valid.
std::optional<ValidPeriodResult> Randomize(TaskRecord& task, int64_t rp, int32_t mode,
                                           const NextRunContext& context);

// After a load: keeps a decided random time that still lies inside the
// period after the next run, and draws a new one otherwise (or always, with
// force). A task without a next run or randomization loses its decision.
bool RefreshRandom(TaskRecord& task, bool force, const NextRunContext& context);

// Called by GetNextRunString when a task that decides its random run time as
// soon as the schedule is set needs a new one.
void DecideRandomTimeWhenSet(TaskRecord& task, const NextRunContext& context);

}  // namespace tidewell
