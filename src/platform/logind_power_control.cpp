#include "platform/logind_power_control.h"

#include <errno.h>
#include <stdlib.h>
#include <systemd/sd-bus.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "text/messages.h"

namespace tidewell {
namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";
// SD_LOGIND_SKIP_INHIBITORS of the *WithFlags methods; logind before version 256 refuses it
// as an invalid argument.
constexpr uint64_t kSkipInhibitors = UINT64_C(1) << 4;
constexpr uint64_t kReplyTimeoutMicroseconds = 10'000'000;
constexpr const char* kSessionVariable = "XDG_SESSION_ID";

constexpr std::array kRefusals = {
    "org.freedesktop.DBus.Error.AccessDenied",
    "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
    "org.freedesktop.DBus.Error.AuthFailed",
    "org.freedesktop.login1.BlockedByInhibitorLock",
    "org.freedesktop.login1.OperationInProgress",
};
constexpr std::array kUnavailable = {
    "org.freedesktop.DBus.Error.ServiceUnknown",    "org.freedesktop.DBus.Error.NameHasNoOwner",
    "org.freedesktop.DBus.Error.UnknownMethod",     "org.freedesktop.DBus.Error.UnknownObject",
    "org.freedesktop.DBus.Error.UnknownInterface",  "org.freedesktop.DBus.Error.NotSupported",
    "org.freedesktop.login1.SleepVerbNotSupported",
};
constexpr std::array kTimeouts = {
    "org.freedesktop.DBus.Error.Timeout",
    "org.freedesktop.DBus.Error.TimedOut",
    "org.freedesktop.DBus.Error.NoReply",
};
constexpr std::array kNoSession = {
    "org.freedesktop.login1.NoSuchSession",
    "org.freedesktop.login1.NoSessionForPID",
};

template <size_t N>
bool Contains(const std::array<const char*, N>& names, std::string_view name) {
    for (const char* known : names) {
        if (name == known) return true;
    }
    return false;
}

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using BusPtr = std::unique_ptr<sd_bus, BusCloser>;

class BusError {
public:
    BusError() = default;
    ~BusError() { sd_bus_error_free(&m_error); }
    BusError(const BusError&) = delete;
    BusError& operator=(const BusError&) = delete;

    sd_bus_error* get() { return &m_error; }
    // Gives a failure without a D-Bus error (a connection that failed) a name and a text.
    void SetFromCode(int code) {
        if (!sd_bus_error_is_set(&m_error)) sd_bus_error_set_errno(&m_error, code);
    }
    bool IsSet() const { return sd_bus_error_is_set(&m_error) > 0; }
    bool Is(const char* name) const { return sd_bus_error_has_name(&m_error, name) > 0; }
    std::string_view Name() const { return m_error.name != nullptr ? m_error.name : ""; }
    std::string_view Text() const { return m_error.message != nullptr ? m_error.message : ""; }

private:
    sd_bus_error m_error = SD_BUS_ERROR_NULL;
};

// The service's own text, then our line with its error name for anyone who has to look it up.
std::string ServiceErrorText(const BusError& error) {
    std::string text(error.Text());
    if (!text.empty()) text += "\r\n\r\n";
    return text + LoadMessage(IDS_ERROR_MISC_ERROR_CODE, error.Name());
}

// A failure the service reported goes by its error name; one without a name (the bus could not
// be reached, a reply could not be read) by its errno value.
Result FailureOf(BusError& error, int r) {
    const bool fromService = error.IsSet();
    error.SetFromCode(r);
    const std::string_view name = error.Name();
    const int code = -r;
    const bool unavailable =
        fromService ? Contains(kUnavailable, name) : code == ENOENT || code == ECONNREFUSED;
    if (unavailable) {
        return Result::Fail(ErrorKind::unavailable, LoadMessage(IDS_DIALOG_SHUT_DOWN_NA_CURRENT_OS));
    }
    ErrorKind kind = ErrorKind::io;
    if (fromService ? Contains(kRefusals, name) : code == EACCES || code == EPERM) kind = ErrorKind::refused;
    if (fromService ? Contains(kTimeouts, name) : code == ETIMEDOUT) kind = ErrorKind::timedOut;
    if (Contains(kNoSession, name)) kind = ErrorKind::notFound;
    return Result::Fail(kind, ServiceErrorText(error));
}

int Connect(const std::string& address, BusPtr& bus) {
    sd_bus* raw = nullptr;
    int r = 0;
    if (address.empty()) {
        r = sd_bus_open_system(&raw);
        bus.reset(raw);
    } else {
        r = sd_bus_new(&raw);
        bus.reset(raw);
        if (r >= 0) r = sd_bus_set_address(raw, address.c_str());
        if (r >= 0) r = sd_bus_set_bus_client(raw, 1);
        if (r >= 0) r = sd_bus_start(raw);
    }
    if (r >= 0) r = sd_bus_set_method_call_timeout(bus.get(), kReplyTimeoutMicroseconds);
    return r;
}

const char* MethodOf(PowerOperation operation) {
    switch (operation) {
        case PowerOperation::suspend: return "Suspend";
        case PowerOperation::hibernate: return "Hibernate";
        case PowerOperation::powerOff: return "PowerOff";
        case PowerOperation::reboot: return "Reboot";
        default: return nullptr;
    }
}

int CallPlain(sd_bus* bus, const std::string& method, BusError& error) {
    return sd_bus_call_method(bus, kService, kManagerPath, kManager, method.c_str(), error.get(), nullptr,
                              "b", 0);
}

int CallForced(sd_bus* bus, const std::string& method, BusError& error) {
    const std::string withFlags = method + "WithFlags";
    const int r = sd_bus_call_method(bus, kService, kManagerPath, kManager, withFlags.c_str(), error.get(),
                                     nullptr, "t", kSkipInhibitors);
    const bool notUnderstood = error.Is(SD_BUS_ERROR_UNKNOWN_METHOD) || error.Is(SD_BUS_ERROR_INVALID_ARGS);
    if (r >= 0 || !notUnderstood) return r;
    sd_bus_error_free(error.get());
    return CallPlain(bus, method, error);
}

// The id of the session this process belongs to, as logind knows it.
int FindSession(sd_bus* bus, std::string& id, BusError& error) {
    sd_bus_message* reply = nullptr;
    int r = sd_bus_call_method(bus, kService, kManagerPath, kManager, "GetSessionByPID", error.get(), &reply,
                               "u", static_cast<uint32_t>(getpid()));
    const char* path = nullptr;
    if (r >= 0) r = sd_bus_message_read(reply, "o", &path);
    char* value = nullptr;
    if (r >= 0) r = sd_bus_get_property_string(bus, kService, path, kSession, "Id", error.get(), &value);
    sd_bus_message_unref(reply);
    if (r >= 0) id = value;
    free(value);
    return r;
}

int LogOff(sd_bus* bus, std::string session, BusError& error) {
    if (session.empty()) {
        const char* fromEnvironment = getenv(kSessionVariable);
        if (fromEnvironment != nullptr) session = fromEnvironment;
    }
    int r = 0;
    if (session.empty()) r = FindSession(bus, session, error);
    if (r < 0) return r;
    return sd_bus_call_method(bus, kService, kManagerPath, kManager, "TerminateSession", error.get(), nullptr,
                              "s", session.c_str());
}

}  // namespace

LogindPowerControl::LogindPowerControl(LogindOptions options) : m_options(std::move(options)) {}

Result LogindPowerControl::Perform(PowerOperation operation, bool force) {
    if (operation == PowerOperation::switchUser) return Result::Ok();
    const char* method = MethodOf(operation);
    if (method == nullptr && operation != PowerOperation::logOff) {
        return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_DIALOG_SHUT_DOWN_NA_CURRENT_OS));
    }
    BusError error;
    BusPtr bus;
    int r = Connect(m_options.busAddress, bus);
    if (r >= 0) {
        if (operation == PowerOperation::logOff) {
            r = LogOff(bus.get(), m_options.sessionId, error);
        } else {
            r = force ? CallForced(bus.get(), method, error) : CallPlain(bus.get(), method, error);
        }
    }
    if (r >= 0) return Result::Ok();
    return FailureOf(error, r);
}

}  // namespace tidewell
