#include "support/fake_logind.h"

#include <stdexcept>

#include "support/temp_dir.h"

namespace tidewell::testing {
namespace {

constexpr const char* kName = "org.freedesktop.login1";
constexpr const char* kPath = "/org/freedesktop/login1";
constexpr const char* kMock = "org.freedesktop.DBus.Mock";
constexpr const char* kManager = "org.freedesktop.login1.Manager";

void Check(int r, sd_bus_error& error, const char* what) {
    if (r >= 0) return;
    const std::string text = std::string(what) + ": " + (error.message ? error.message : "failed");
    sd_bus_error_free(&error);
    throw std::runtime_error(text);
}

}  // namespace

FakeLogind::FakeLogind(bool withFlags)
    : m_bus({{kName, "/usr/bin/python3 -m dbusmock --session -t logind -l " + m_logFolder.File("calls")}}) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = sd_bus_new(&m_control);
    if (r >= 0) r = sd_bus_set_address(m_control, Address().c_str());
    if (r >= 0) r = sd_bus_set_bus_client(m_control, 1);
    if (r >= 0) r = sd_bus_start(m_control);
    Check(r, error, "connecting to the private bus");
    if (!withFlags) return;
    for (const char* method : {"Suspend", "Hibernate", "PowerOff", "Reboot"}) {
        SetMethod(std::string(method) + "WithFlags", "t", "", "");
    }
}

FakeLogind::~FakeLogind() {
    sd_bus_flush_close_unref(m_control);
}

void FakeLogind::SetMethod(const std::string& name, const std::string& in, const std::string& out,
                           const std::string& code) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(m_control, kName, kPath, kMock, "AddMethod", &error, nullptr, "sssss",
                                     kManager, name.c_str(), in.c_str(), out.c_str(), code.c_str());
    Check(r, error, "adding a method to the fake logind");
}

void FakeLogind::Refuse(const std::string& method, const std::string& in, const std::string& errorName,
                        const std::string& text) {
    SetMethod(method, in, "",
              "raise dbus.exceptions.DBusException('" + text + "', name='" + errorName + "')");
}

void FakeLogind::AddSession(const std::string& id) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(m_control, kName, kPath, kMock, "AddSession", &error, nullptr, "ssusb",
                                     id.c_str(), "seat0", 1000u, "tester", 1);
    Check(r, error, "adding a session to the fake logind");
    SetMethod("GetSessionByPID", "u", "o", "ret = '/org/freedesktop/login1/session/" + id + "'");
    TakeCalls();  // the mock's own bookkeeping
}

std::vector<std::string> FakeLogind::TakeCalls() {
    const std::vector<std::string> lines = [&] {
        std::vector<std::string> all;
        const std::string text = ReadFileText(m_logFolder.File("calls"));
        for (size_t start = 0; start < text.size();) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos) end = text.size();
            all.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return all;
    }();
    std::vector<std::string> calls;
    for (size_t i = m_seen; i < lines.size(); ++i) {
        // "<time> <call>"; failures and whole-object reads are the mock's doing.
        const std::string call = lines[i].substr(lines[i].find(' ') + 1);
        if (call.find(" raised: ") != std::string::npos || call.rfind("GetAll ", 0) == 0) continue;
        calls.push_back(call);
    }
    m_seen = lines.size();
    return calls;
}

}  // namespace tidewell::testing
