#pragma once

#include <sys/types.h>

#include <string>

#include "support/private_bus.h"

namespace tidewell::testing {

// A fake service on a private bus: python-dbusmock with one of its templates, logging every
// method call to a file. The constructor returns once the service owns its bus name.
class MockService {
public:
    MockService(const PrivateBus& bus, const std::string& templateName, const std::string& busName,
                const std::string& objectPath, const std::string& parameters, const std::string& logFile);
    ~MockService();
    MockService(const MockService&) = delete;
    MockService& operator=(const MockService&) = delete;

    // Replaces (or adds) a method of the mocked object; `code` is the Python body it runs.
    void AddMethod(const std::string& interface, const std::string& name, const std::string& inSignature,
                   const std::string& code);
    // The calls logged so far, one "<time> <Method> <arguments>" line each.
    std::string Log() const;

private:
    std::string m_address;
    std::string m_busName;
    std::string m_objectPath;
    std::string m_logFile;
    pid_t m_pid = -1;
};

}  // namespace tidewell::testing
