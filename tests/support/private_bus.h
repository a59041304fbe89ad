#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tidewell::testing {

// A service the bus starts on the first message to its name.
struct BusService {
    std::string name;     // e.g. "org.freedesktop.login1"
    std::string command;  // program and arguments, split by the bus (no shell)
};

// A D-Bus daemon of the test's own, so that no test reaches the session or system bus. The
// services run only while the daemon runs; they leave when it goes.
class PrivateBus {
public:
    explicit PrivateBus(const std::vector<BusService>& services = {});
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    const std::string& Address() const { return m_address; }

private:
    TempDir m_folder;
    std::string m_address;
    pid_t m_pid = -1;
};

}  // namespace tidewell::testing
