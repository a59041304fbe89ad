#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "base/result.h"
#include "platform/cancel_flag.h"
#include "platform/clock_setter.h"
#include "platform/network_port.h"
#include "platform/time_zone.h"
#include "runtime/daytime_reply.h"
#include "time/clock.h"
#include "ui_ports/message_box.h"

namespace tidewell {

inline constexpr uint16_t kDaytimePort = 13;

// One Daytime server: a dotted IPv4 address, used as it is (no name lookup).
struct DaytimeServer {
    std::string address;
    uint16_t port = kDaytimePort;
};

// The servers of the NIST Internet Time Service, in the order they are asked.
std::vector<DaytimeServer> DefaultDaytimeServers();

// How the client asks. A dead server costs at most the two time-outs, and the whole pass never
// runs longer than the pass limit.
struct ClockSyncConfig {
    std::vector<DaytimeServer> servers = DefaultDaytimeServers();
    std::chrono::milliseconds connectTimeout{3000};
    std::chrono::milliseconds receiveTimeout{3000};
    std::chrono::milliseconds passLimit{30000};
};

// What the client uses of the outside world. All four must bear calls from a worker thread.
struct ClockSyncPorts {
    NetworkPort& network;
    ClockSetter& clockSetter;
    const Clock& clock;
    const TimeZonePort& timeZone;
};

// The end of one synchronization.
struct ClockSyncOutcome {
    Result result = Result::Ok();
    DateTime before = DateTime::Null();  // the local clock when the reply came; null if none came
    DateTime after = DateTime::Null();   // the time that was set (or refused)
    MessageBoxCall message;              // what the user is told; empty text after a cancel
};

// A reply further than this from the local clock is refused: it is some other server's fault
// rather than a clock that drifted.
inline constexpr int64_t kMaxClockCorrectionSeconds = 86'400;

// The new local time: the reply's UTC date and time moved by `bias` minutes.
DateTime SynchronizedLocalTime(const DaytimeTime& utc, int bias);

// Microseconds since 1970-01-01 UTC of a local time at `bias` minutes.
int64_t UtcMicroseconds(const DateTime& local, int bias);

// Asks the servers in order until one gives a usable reply, then sets the clock's time of day.
// Blocks for at most the configured pass limit (plus the clock setter's own wait for the user's
// authorization); a cancel ends it at the next check. Shows nothing: the outcome carries the
// message for the caller to show.
ClockSyncOutcome SynchronizeClock(const ClockSyncConfig& config, const ClockSyncPorts& ports,
                                  const CancelFlag& cancel);

}  // namespace tidewell
