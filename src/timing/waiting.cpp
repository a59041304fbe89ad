#include "timing/waiting.h"

namespace tidewell {

WaitingChoice WaitingChoiceOf(int32_t storedQuantity) {
    if (storedQuantity == kWaitingDontWait) return WaitingChoice::dontWait;
    if (storedQuantity >= 1 && storedQuantity <= kWaitingMaxQuantity) return WaitingChoice::waitForSomeTime;
    return WaitingChoice::keepWaiting;
}

bool IsWaitingComplete(WaitingChoice choice, int32_t quantity, TimeUnit unit) {
    if (choice != WaitingChoice::waitForSomeTime) return true;
    bool unitOffered = unit == TimeUnit::seconds || unit == TimeUnit::minutes || unit == TimeUnit::hours;
    return quantity >= 1 && quantity <= kWaitingMaxQuantity && unitOffered;
}

WaitingInfo StoredWaiting(WaitingChoice choice, int32_t quantity, TimeUnit unit) {
    switch (choice) {
        case WaitingChoice::dontWait: return {kWaitingDontWait, unit};
        case WaitingChoice::waitForSomeTime: return {quantity, unit};
        case WaitingChoice::keepWaiting: return {kWaitingKeepWaiting, unit};
    }
    return {kWaitingKeepWaiting, unit};
}

std::optional<int64_t> WaitingLimitSeconds(const WaitingInfo& waiting) {
    if (waiting.quantity == kWaitingKeepWaiting) return std::nullopt;
    if (waiting.quantity <= 0) return 0;
    return int64_t{waiting.quantity} * UnitSeconds(waiting.unit);
}

}  // namespace tidewell
