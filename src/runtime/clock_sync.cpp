#include "runtime/clock_sync.h"

#include <algorithm>
#include <memory>

#include "base/text_util.h"
#include "text/messages.h"

namespace tidewell {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr const char* kClockTextFormat = "%H:%M:%S";

milliseconds Left(steady_clock::time_point deadline) {
    return std::max(milliseconds::zero(), std::chrono::ceil<milliseconds>(deadline - steady_clock::now()));
}

// One connect and a receive of at most kDaytimeReplyLimit bytes. A reply split across packets is
// gathered until it is whole, the server closes, or the receive time-out ends; what arrived by
// then is the reply. Fails only when the connection fails or the caller cancels.
Result AskServer(const DaytimeServer& server, const ClockSyncConfig& config, NetworkPort& network,
                 steady_clock::time_point passDeadline, const CancelFlag& cancel, std::string& reply) {
    std::unique_ptr<StreamConnection> connection;
    const milliseconds connectLimit = std::min(config.connectTimeout, Left(passDeadline));
    if (Result connected = network.Connect(server.address, server.port, connectLimit, cancel, connection);
        !connected) {
        return connected;
    }
    const auto receiveDeadline = std::min(steady_clock::now() + config.receiveTimeout, passDeadline);
    while (!DaytimeReplyComplete(reply)) {
        const milliseconds left = Left(receiveDeadline);
        if (left == milliseconds::zero()) break;
        const std::size_t had = reply.size();
        Result received = connection->Receive(kDaytimeReplyLimit - reply.size(), left, cancel, reply);
        if (!received && received.kind() == ErrorKind::cancelled) return received;
        if (!received || reply.size() == had) break;
    }
    return Result::Ok();
}

MessageBoxCall Box(std::string text, int32_t caption, uint32_t style) {
    MessageBoxCall call;
    call.text = std::move(text);
    call.caption = LoadMessage(caption);
    call.style = style;
    return call;
}

ClockSyncOutcome Succeeded(const DateTime& before, const DateTime& after) {
    ClockSyncOutcome outcome;
    outcome.before = before;
    outcome.after = after;
    std::string text = LoadMessage(IDS_DIALOG_TCS_SUCESSFUL);
    text = ReplaceAll(std::move(text), "#1", before.Format(kClockTextFormat));
    text = ReplaceAll(std::move(text), "#2", after.Format(kClockTextFormat));
    outcome.message = Box(std::move(text), IDS_KLN_CONGRATULATIONS, MB_OK | MB_ICONINFORMATION);
    return outcome;
}

ClockSyncOutcome Failed(Result result) {
    ClockSyncOutcome outcome;
    // A cancel comes from the caller, who needs no message about it.
    if (result.kind() != ErrorKind::cancelled) {
        outcome.message = Box(result.message(), IDS_KLN_ERROR, MB_OK | MB_ICONERROR);
    }
    outcome.result = std::move(result);
    return outcome;
}

}  // namespace

DateTime SynchronizedLocalTime(const DaytimeTime& utc, int bias) {
    return DateTime::FromParts(utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second) -
           TimeSpan::FromSeconds(int64_t{bias} * 60);
}

int64_t UtcMicroseconds(const DateTime& local, int bias) {
    static const int64_t unixEpoch = DateTime::FromParts(1970, 1, 1).Seconds();
    return (local.Seconds() - unixEpoch + int64_t{bias} * 60) * 1'000'000;
}

ClockSyncOutcome SynchronizeClock(const ClockSyncConfig& config, const ClockSyncPorts& ports,
                                  const CancelFlag& cancel) {
    const auto passDeadline = steady_clock::now() + config.passLimit;
    ErrorKind failure = ErrorKind::unavailable;
    for (const DaytimeServer& server : config.servers) {
        if (cancel.IsCancelled()) {
            return Failed(Result::Fail(ErrorKind::cancelled,
                                       LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER)));
        }
        if (Left(passDeadline) == milliseconds::zero()) {
            failure = ErrorKind::timedOut;
            break;
        }
        std::string reply;
        if (Result asked = AskServer(server, config, ports.network, passDeadline, cancel, reply); !asked) {
            if (asked.kind() == ErrorKind::cancelled) return Failed(std::move(asked));
            continue;
        }
        const DateTime before = ports.clock.Now();
        const std::optional<DaytimeTime> utc = ParseDaytimeReply(reply);
        if (!utc) continue;
        const int bias = ports.timeZone.CurrentBias();
        const DateTime after = SynchronizedLocalTime(*utc, bias);
        if (const int64_t apart = (after - before).GetTotalSeconds();
            apart > kMaxClockCorrectionSeconds || apart < -kMaxClockCorrectionSeconds) {
            ClockSyncOutcome outcome = Failed(Result::Fail(
                ErrorKind::damaged, LoadMessage(IDS_TIDEWELL_TCS_FAR_REPLY, after.Format(kStorageFormat),
                                                before.Format(kStorageFormat))));
            outcome.before = before;
            outcome.after = after;
            return outcome;
        }
        // A refused change is reported as the failure it is, never as a success.
        if (Result set = ports.clockSetter.SetSystemClock(UtcMicroseconds(after, bias), cancel); !set) {
            ClockSyncOutcome outcome = Failed(std::move(set));
            outcome.before = before;
            outcome.after = after;
            return outcome;
        }
        return Succeeded(before, after);
    }
    return Failed(Result::Fail(failure, LoadMessage(IDS_DIALOG_TCS_CONNECTION_FAILED)));
}

}  // namespace tidewell
