#include "time/local_time.h"

#include <cerrno>
#include <ctime>

namespace tidewell {
namespace {

constexpr int64_t kDay = 86'400;
// Time zones change their offset at most once in this long, so a walk in such steps sees every
// change.
constexpr int64_t kStep = 3'600;

int64_t OffsetAt(int64_t epochSeconds) {
    const std::time_t seconds = static_cast<std::time_t>(epochSeconds);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local.tm_gmtoff;
}

// The first second in (before, after] that has the offset of `after`.
int64_t ChangeBetween(int64_t before, int64_t after) {
    const int64_t offset = OffsetAt(after);
    while (after - before > 1) {
        const int64_t middle = before + (after - before) / 2;
        (OffsetAt(middle) == offset ? after : before) = middle;
    }
    return after;
}

}  // namespace

DateTime LocalTimeOf(int64_t epochSeconds) {
    const std::time_t seconds = static_cast<std::time_t>(epochSeconds);
    std::tm local{};
    localtime_r(&seconds, &local);
    return DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                               local.tm_min, local.tm_sec);
}

std::optional<int64_t> LocalToUnixSeconds(const DateTime& local) {
    if (!local.IsValid()) return std::nullopt;
    std::tm parts{};
    parts.tm_year = local.GetYear() - 1900;
    parts.tm_mon = local.GetMonth() - 1;
    parts.tm_mday = local.GetDay();
    parts.tm_hour = local.GetHour();
    parts.tm_min = local.GetMinute();
    parts.tm_sec = local.GetSecond();
    parts.tm_isdst = -1;
    errno = 0;
    const std::time_t seconds = std::mktime(&parts);
    if (seconds == static_cast<std::time_t>(-1) && errno != 0) return std::nullopt;
    return static_cast<int64_t>(seconds);
}

bool EpochOf(const DateTime& local, int64_t& epochSeconds) {
    const std::optional<int64_t> seconds = LocalToUnixSeconds(local);
    if (!seconds) return false;
    epochSeconds = *seconds;
    return LocalTimeOf(*seconds) == local;
}

LocalTimeGaps LocalTimeGaps::Around(const DateTime& from, const DateTime& to) {
    LocalTimeGaps gaps;
    static const int64_t unixEpoch = DateTime::FromParts(1970, 1, 1).Seconds();
    // Local seconds minus the largest offset is no later than the moment; so a day more is safe.
    const int64_t first = from.Seconds() - unixEpoch - 2 * kDay;
    const int64_t last = to.Seconds() - unixEpoch + 2 * kDay;
    int64_t offset = OffsetAt(first);
    for (int64_t at = first + kStep; at <= last + kStep; at += kStep) {
        const int64_t next = OffsetAt(at);
        if (next == offset) continue;
        const int64_t change = ChangeBetween(at - kStep, at);
        if (next > offset) {
            gaps.m_gaps.push_back({DateTime::FromSeconds(unixEpoch + change + offset),
                                   DateTime::FromSeconds(unixEpoch + change + next)});
        }
        offset = next;
    }
    return gaps;
}

DateTime LocalTimeGaps::FirstShownAtOrAfter(const DateTime& local) const {
    for (const Gap& gap : m_gaps) {
        if (local >= gap.begin && local < gap.end) return gap.end;
    }
    return local;
}

}  // namespace tidewell
