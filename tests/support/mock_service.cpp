#include "support/mock_service.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <systemd/sd-bus.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace tidewell::testing {
namespace {

// The Python with dbusmock (a python3 earlier on PATH may lack it).
constexpr const char* kPython = "/usr/bin/python3";
constexpr std::chrono::seconds kStartLimit{30};

struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using Bus = std::unique_ptr<sd_bus, BusClose>;

Bus Connect(const std::string& address) {
    sd_bus* raw = nullptr;
    if (sd_bus_new(&raw) < 0) throw std::runtime_error("sd_bus_new");
    Bus bus(raw);
    if (sd_bus_set_address(raw, address.c_str()) < 0 || sd_bus_set_bus_client(raw, 1) < 0 ||
        sd_bus_start(raw) < 0) {
        throw std::runtime_error("cannot reach the private bus");
    }
    return bus;
}

bool NameHasOwner(sd_bus* bus, const std::string& name) {
    sd_bus_message* reply = nullptr;
    int owned = 0;
    const int called =
        sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "NameHasOwner", nullptr, &reply, "s", name.c_str());
    if (called >= 0) sd_bus_message_read(reply, "b", &owned);
    sd_bus_message_unref(reply);
    return owned != 0;
}

// The environment of a child on the private bus: both well-known bus addresses point to it.
std::vector<std::string> ChildEnvironment(const std::string& address) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (text.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0 ||
            text.rfind("DBUS_SYSTEM_BUS_ADDRESS=", 0) == 0) {
            continue;
        }
        entries.push_back(text);
    }
    entries.push_back("DBUS_SESSION_BUS_ADDRESS=" + address);
    entries.push_back("DBUS_SYSTEM_BUS_ADDRESS=" + address);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void EndChild(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

}  // namespace

MockService::MockService(const PrivateBus& bus, const std::string& templateName, const std::string& busName,
                         const std::string& objectPath, const std::string& parameters,
                         const std::string& logFile)
    : m_address(bus.Address()), m_busName(busName), m_objectPath(objectPath), m_logFile(logFile) {
    std::vector<std::string> arguments = {kPython,      "-m",         "dbusmock", "--session",
                                          "--template", templateName, "-l",       logFile};
    if (!parameters.empty()) {
        arguments.push_back("-p");
        arguments.push_back(parameters);
    }
    std::vector<std::string> environment = ChildEnvironment(m_address);
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    if (posix_spawn(&m_pid, kPython, nullptr, nullptr, argv.data(), envp.data()) != 0) {
        throw std::runtime_error("cannot start dbusmock");
    }
    // Wait for the name on the bus, giving up when the child dies or takes far too long.
    Bus probe = Connect(m_address);
    const std::string rule =
        "type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',arg0='" + m_busName + "'";
    sd_bus_add_match(probe.get(), nullptr, rule.c_str(), nullptr, nullptr);
    const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
    while (!NameHasOwner(probe.get(), m_busName)) {
        const bool ended = waitpid(m_pid, nullptr, WNOHANG) == m_pid;
        if (ended || std::chrono::steady_clock::now() > deadline) {
            if (!ended) EndChild(m_pid);
            m_pid = -1;
            throw std::runtime_error("dbusmock did not come up");
        }
        // The owner change wakes the wait; the slice only bounds how late a dead child is noticed.
        while (sd_bus_process(probe.get(), nullptr) > 0) {
        }
        sd_bus_wait(probe.get(), 100'000);
    }
}

MockService::~MockService() {
    EndChild(m_pid);
}

void MockService::AddMethod(const std::string& interface, const std::string& name,
                            const std::string& inSignature, const std::string& code) {
    Bus bus = Connect(m_address);
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int called = sd_bus_call_method(
        bus.get(), m_busName.c_str(), m_objectPath.c_str(), "org.freedesktop.DBus.Mock", "AddMethod", &error,
        nullptr, "sssss", interface.c_str(), name.c_str(), inSignature.c_str(), "", code.c_str());
    sd_bus_error_free(&error);
    if (called < 0) throw std::runtime_error("AddMethod failed");
}

std::string MockService::Log() const {
    return ReadFileText(m_logFile);
}

}  // namespace tidewell::testing
