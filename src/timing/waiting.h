#pragma once

#include <cstdint>
#include <optional>

#include "model/task_record.h"

namespace tidewell {

// How late after its scheduled time a missed run may still start.
inline constexpr int32_t kWaitingDontWait = 0;
inline constexpr int32_t kWaitingMaxQuantity = 120;
inline constexpr int32_t kWaitingKeepWaiting = 999;

enum class WaitingChoice { dontWait, waitForSomeTime, keepWaiting };

// The choice the waiting page shows for a stored quantity: 0 is "Don't wait",
// 1..120 "Wait for some time", anything else "Keep waiting".
WaitingChoice WaitingChoiceOf(int32_t storedQuantity);

// Whether the page may be saved: "Wait for some time" needs a quantity of
// 1..120 and a unit of seconds, minutes or hours.
bool IsWaitingComplete(WaitingChoice choice, int32_t quantity, TimeUnit unit);

// What the page stores: 0, the quantity and unit, or 999.
WaitingInfo StoredWaiting(WaitingChoice choice, int32_t quantity, TimeUnit unit);

// The limit the start-up catch-up applies, read from the stored number as it
// stands: nullopt keeps waiting (999); 0 or less does not wait; any other
// number is a limit in its unit.
std::optional<int64_t> WaitingLimitSeconds(const WaitingInfo& waiting);

}  // namespace tidewell
