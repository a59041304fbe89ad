#include "runtime/pass_window.h"

namespace tidewell {
namespace {

PassWindow OwnSecond(const DateTime& now) {
    return {now - TimeSpan::FromSeconds(1), now};
}

}  // namespace

PassWindow PassWindowTracker::Next(const PassInstant& now) {
    const std::optional<PassInstant> last = m_last;
    m_last = now;
    if (!last) return OwnSecond(now.wall);

    const int64_t monotonicMs = now.monotonicMs - last->monotonicMs;
    const int64_t wallMs = (now.wall - last->wall).GetTotalSeconds() * 1000;
    const int64_t driftMs = wallMs - monotonicMs;
    if (monotonicMs < 0 || monotonicMs > kMaxCatchUpMs) return OwnSecond(now.wall);
    if (driftMs < -kDriftToleranceMs) return OwnSecond(now.wall);
    if (driftMs > kMaxForwardShiftMs + kDriftToleranceMs) return OwnSecond(now.wall);
    // Seen again within the same second, or a small step back inside the tolerance: nothing new.
    if (now.wall <= last->wall) return {now.wall, now.wall};
    return {last->wall, now.wall};
}

}  // namespace tidewell
