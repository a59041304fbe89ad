#pragma once

#include <systemd/sd-bus.h>

#include <string>
#include <vector>

#include "support/private_bus.h"

namespace tidewell::testing {

// A system service played by python3-dbusmock with one of its templates, on a private bus of
// its own. The constructor returns once the service owns its name; every method call it
// receives is recorded.
class DbusMock {
public:
    // `parameters`: the template's JSON parameters, or empty.
    DbusMock(const std::string& templateName, const std::string& busName, const std::string& objectPath,
             const std::string& parameters = {});
    // A service of the tests' own: an object with the interface and no methods yet.
    struct Plain {
        std::string busName;
        std::string objectPath;
        std::string interface;
    };
    explicit DbusMock(const Plain& service);
    ~DbusMock();
    DbusMock(const DbusMock&) = delete;
    DbusMock& operator=(const DbusMock&) = delete;

    const std::string& Address() const { return m_bus.Address(); }
    // Adds or replaces a method of the object; `code` is the Python body dbusmock runs.
    void SetMethod(const std::string& interface, const std::string& name, const std::string& in,
                   const std::string& out, const std::string& code);
    // Makes a method fail with the D-Bus error `errorName` and `text`.
    void Refuse(const std::string& interface, const std::string& method, const std::string& in,
                const std::string& errorName, const std::string& text);
    // The calls received since the last look, one line each ("Suspend False"), without the
    // mock's own bookkeeping.
    std::vector<std::string> TakeCalls();
    // A connection to the private bus, for the template's own mock methods.
    sd_bus* Control() const { return m_control; }

private:
    void Start();

    TempDir m_logFolder;
    PrivateBus m_bus;
    std::string m_busName;
    std::string m_objectPath;
    sd_bus* m_control = nullptr;
    size_t m_seen = 0;
};

}  // namespace tidewell::testing
