#include "cli/bus_client.h"

#include <cstring>

#include "platform/control_bus.h"

namespace tidewell::cli {
namespace {

// A busy program may take a moment (a password delay grows by half a second per wrong entry).
constexpr uint64_t kReplyTimeoutMicroseconds = 30'000'000;

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};

class BusError {
public:
    BusError() = default;
    BusError(const BusError&) = delete;
    BusError& operator=(const BusError&) = delete;
    ~BusError() { sd_bus_error_free(&m_error); }
    sd_bus_error* get() { return &m_error; }

private:
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
};

bool NoProgram(const char* name) {
    return name != nullptr && (std::strcmp(name, SD_BUS_ERROR_SERVICE_UNKNOWN) == 0 ||
                               std::strcmp(name, SD_BUS_ERROR_NAME_HAS_NO_OWNER) == 0);
}

}  // namespace

BusCall CallProgram(const char* method, const std::function<int(sd_bus_message*)>& append) {
    BusCall call;
    sd_bus* raw = nullptr;
    // No session bus at all: nothing can be running on it.
    if (sd_bus_open_user(&raw) < 0) {
        call.outcome = BusCall::Outcome::notRunning;
        return call;
    }
    std::unique_ptr<sd_bus, BusCloser> bus(raw);
    sd_bus_message* message = nullptr;
    int r = sd_bus_message_new_method_call(bus.get(), &message, kControlBusName, kControlObjectPath,
                                           kControlInterface, method);
    std::unique_ptr<sd_bus_message, sd_bus_message* (*)(sd_bus_message*)> request(message,
                                                                                  sd_bus_message_unref);
    if (r >= 0) r = sd_bus_message_set_auto_start(message, 0);
    if (r >= 0 && append) r = append(message);
    BusError error;
    sd_bus_message* reply = nullptr;
    if (r >= 0) r = sd_bus_call(bus.get(), message, kReplyTimeoutMicroseconds, error.get(), &reply);
    call.reply.reset(reply);
    if (r >= 0) {
        call.outcome = BusCall::Outcome::answered;
        return call;
    }
    if (sd_bus_error_is_set(error.get())) {
        call.errorName = error.get()->name;
        call.errorMessage = error.get()->message ? error.get()->message : "";
    } else {
        call.errorMessage = std::strerror(-r);
    }
    call.outcome = NoProgram(error.get()->name) ? BusCall::Outcome::notRunning : BusCall::Outcome::failed;
    return call;
}

}  // namespace tidewell::cli
