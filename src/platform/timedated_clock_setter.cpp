#include "platform/timedated_clock_setter.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <memory>

#include "text/messages.h"

namespace tidewell {
namespace {

constexpr const char* kService = "org.freedesktop.timedate1";
constexpr const char* kObject = "/org/freedesktop/timedate1";
constexpr const char* kInterface = "org.freedesktop.timedate1";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";

// The user may take a while to type a password into the authorization prompt.
constexpr uint64_t kSetTimeLimitUsec = 120'000'000;
constexpr uint64_t kProbeLimitUsec = 2'000'000;
// How long one wait on the bus runs before the cancel flag is looked at again.
constexpr uint64_t kCancelSliceUsec = 50'000;

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;
using Message = std::unique_ptr<sd_bus_message, MessageUnref>;
using Slot = std::unique_ptr<sd_bus_slot, SlotUnref>;

class ErrorGuard {
public:
    ~ErrorGuard() { sd_bus_error_free(&m_error); }
    sd_bus_error* get() { return &m_error; }

private:
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
};

Bus OpenBus(const std::string& address) {
    sd_bus* raw = nullptr;
    if (address.empty()) return sd_bus_open_system(&raw) < 0 ? Bus() : Bus(raw);
    if (sd_bus_new(&raw) < 0) return Bus();
    Bus bus(raw);
    if (sd_bus_set_address(raw, address.c_str()) < 0 || sd_bus_set_bus_client(raw, 1) < 0 ||
        sd_bus_start(raw) < 0) {
        return Bus();
    }
    return bus;
}

Result Refusal(int error) {
    ErrorKind kind = ErrorKind::refused;
    if (error == ETIMEDOUT) kind = ErrorKind::timedOut;
    if (error == EHOSTUNREACH || error == ENXIO || error == ENOENT || error == ECONNREFUSED ||
        error == EBADR) {
        kind = ErrorKind::unavailable;
    }
    return Result::Fail(kind, LoadMessage(IDS_MESSAGE_PROMPT_ADMIN_MODE_REQUIRED));
}

struct PendingReply {
    bool done = false;
    int error = 0;
};

int OnReply(sd_bus_message* reply, void* data, sd_bus_error* /*unused*/) {
    auto* pending = static_cast<PendingReply*>(data);
    pending->done = true;
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        const int error = sd_bus_message_get_errno(reply);
        pending->error = error != 0 ? error : EACCES;
    }
    return 0;
}

// Runs the bus until the reply came or the caller cancels.
Result AwaitReply(sd_bus* bus, const PendingReply& pending, const CancelFlag& cancel) {
    while (!pending.done) {
        if (cancel.IsCancelled()) {
            return Result::Fail(ErrorKind::cancelled,
                                LoadMessage(IDS_MESSAGE_PROMPT_OPERATION_CANCELED_BY_USER));
        }
        int step = sd_bus_process(bus, nullptr);
        if (step == 0) step = sd_bus_wait(bus, kCancelSliceUsec);
        if (step < 0 && step != -EINTR) return Refusal(-step);
    }
    return pending.error == 0 ? Result::Ok() : Refusal(pending.error);
}

}  // namespace

Result TimedatedClockSetter::SetSystemClock(int64_t utcMicroseconds, const CancelFlag& cancel) {
    Bus bus = OpenBus(m_busAddress);
    if (!bus) return Refusal(EHOSTUNREACH);
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus.get(), &raw, kService, kObject, kInterface, "SetTime") < 0) {
        return Refusal(ENOMEM);
    }
    Message call(raw);
    // Arguments: the instant, not relative to now, and the user may be asked to authorize.
    if (sd_bus_message_append(call.get(), "xbb", utcMicroseconds, 0, 1) < 0 ||
        sd_bus_message_set_allow_interactive_authorization(call.get(), 1) < 0) {
        return Refusal(ENOMEM);
    }
    PendingReply pending;
    sd_bus_slot* rawSlot = nullptr;
    const int sent = sd_bus_call_async(bus.get(), &rawSlot, call.get(), OnReply, &pending, kSetTimeLimitUsec);
    if (sent < 0) return Refusal(-sent);
    // Dropping the slot on the way out stops the callback from seeing `pending` after it is gone.
    Slot slot(rawSlot);
    return AwaitReply(bus.get(), pending, cancel);
}

bool TimedatedClockSetter::CanSetClock() {
    Bus bus = OpenBus(m_busAddress);
    if (!bus) return false;
    sd_bus_message* raw = nullptr;
    if (sd_bus_message_new_method_call(bus.get(), &raw, kService, kObject, kPropertiesInterface, "Get") < 0) {
        return false;
    }
    Message call(raw);
    if (sd_bus_message_append(call.get(), "ss", kInterface, "NTP") < 0) return false;
    ErrorGuard error;
    sd_bus_message* rawReply = nullptr;
    if (sd_bus_call(bus.get(), call.get(), kProbeLimitUsec, error.get(), &rawReply) < 0) return false;
    Message reply(rawReply);
    int ntp = 1;
    if (sd_bus_message_enter_container(reply.get(), 'v', "b") < 0 ||
        sd_bus_message_read(reply.get(), "b", &ntp) < 0) {
        return false;
    }
    return ntp == 0;
}

}  // namespace tidewell
