#pragma once

#include <atomic>

namespace tidewell {

// Asks a piece of work on another thread to stop. Waits that honour it look at it at least
// every kCancelCheckInterval, so a cancel takes effect promptly.
class CancelFlag {
public:
    void Cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool IsCancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

private:
    std::atomic<bool> m_cancelled{false};
};

}  // namespace tidewell
