#pragma once

#include <systemd/sd-bus.h>

#include <string>
#include <vector>

#include "support/private_bus.h"

namespace tidewell::testing {

// systemd-logind played by python3-dbusmock's logind template on a private bus, with the
// *WithFlags methods and GetSessionByPID added. Every method call it receives is recorded.
class FakeLogind {
public:
    // `withFlags`: also the *WithFlags methods, as a logind since version 209 has them.
    explicit FakeLogind(bool withFlags = true);
    ~FakeLogind();
    FakeLogind(const FakeLogind&) = delete;
    FakeLogind& operator=(const FakeLogind&) = delete;

    const std::string& Address() const { return m_bus.Address(); }

    // Adds or replaces a Manager method; `code` is the Python body dbusmock runs.
    void SetMethod(const std::string& name, const std::string& in, const std::string& out,
                   const std::string& code);
    // Makes a Manager method fail with the D-Bus error `errorName` and `text`.
    void Refuse(const std::string& method, const std::string& in, const std::string& errorName,
                const std::string& text);
    // Adds a session object with the id, which GetSessionByPID then returns.
    void AddSession(const std::string& id);
    // The calls received since the last look, one line each ("Suspend False",
    // "TerminateSession \"c5\""), without the fake's own bookkeeping.
    std::vector<std::string> TakeCalls();

private:
    TempDir m_logFolder;
    PrivateBus m_bus;
    sd_bus* m_control = nullptr;
    size_t m_seen = 0;
};

}  // namespace tidewell::testing
