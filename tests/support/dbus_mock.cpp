#include "support/dbus_mock.h"

#include <stdexcept>

namespace tidewell::testing {
namespace {

// The Python with dbusmock (a python3 earlier on PATH may lack it).
constexpr const char* kPython = "/usr/bin/python3";

void Check(int r, sd_bus_error& error, const std::string& what) {
    if (r >= 0) return;
    const std::string text = what + ": " + (error.message ? error.message : "failed");
    sd_bus_error_free(&error);
    throw std::runtime_error(text);
}

std::string Command(const std::string& templateName, const std::string& log, const std::string& parameters) {
    // The bus splits the command like a shell: single quotes keep the JSON whole.
    std::string command = std::string(kPython) + " -m dbusmock --session -t " + templateName + " -l " + log;
    return parameters.empty() ? command : command + " -p '" + parameters + "'";
}

}  // namespace

DbusMock::DbusMock(const std::string& templateName, const std::string& busName, const std::string& objectPath,
                   const std::string& parameters)
    : m_bus({{busName, Command(templateName, m_logFolder.File("calls"), parameters)}}),
      m_busName(busName),
      m_objectPath(objectPath) {
    Start();
}

DbusMock::DbusMock(const Plain& service)
    : m_bus({{service.busName, std::string(kPython) + " -m dbusmock --session -l " +
                                   m_logFolder.File("calls") + " " + service.busName + " " +
                                   service.objectPath + " " + service.interface}}),
      m_busName(service.busName),
      m_objectPath(service.objectPath) {
    Start();
}

void DbusMock::Start() {
    const std::string& busName = m_busName;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = sd_bus_new(&m_control);
    if (r >= 0) r = sd_bus_set_address(m_control, Address().c_str());
    if (r >= 0) r = sd_bus_set_bus_client(m_control, 1);
    if (r >= 0) r = sd_bus_start(m_control);
    Check(r, error, "connecting to the private bus");
    // Answered once the service owns its name, so that no test waits on its start-up.
    r = sd_bus_call_method(m_control, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "StartServiceByName", &error, nullptr, "su", busName.c_str(), 0u);
    Check(r, error, "starting " + busName);
}

DbusMock::~DbusMock() {
    sd_bus_flush_close_unref(m_control);
}

void DbusMock::SetMethod(const std::string& interface, const std::string& name, const std::string& in,
                         const std::string& out, const std::string& code) {
    sd_bus_error error = SD_BUS_ERROR_NULL;
    const int r = sd_bus_call_method(m_control, m_busName.c_str(), m_objectPath.c_str(),
                                     "org.freedesktop.DBus.Mock", "AddMethod", &error, nullptr, "sssss",
                                     interface.c_str(), name.c_str(), in.c_str(), out.c_str(), code.c_str());
    Check(r, error, "adding the method " + name);
}

void DbusMock::Refuse(const std::string& interface, const std::string& method, const std::string& in,
                      const std::string& errorName, const std::string& text) {
    SetMethod(interface, method, in, "",
              "raise dbus.exceptions.DBusException('" + text + "', name='" + errorName + "')");
}

std::vector<std::string> DbusMock::TakeCalls() {
    std::vector<std::string> lines;
    const std::string text = ReadFileText(m_logFolder.File("calls"));
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
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
