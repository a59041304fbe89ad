#pragma once

#include <systemd/sd-bus.h>

#include <functional>
#include <memory>
#include <string>

namespace tidewell::cli {

// One call to the running program over the session bus (sd-bus, so that the tool needs no Qt).
// The bus never starts the program for a call.

struct BusCall {
    enum class Outcome { answered, notRunning, failed };
    Outcome outcome = Outcome::failed;
    std::string errorName;     // a failed call: the D-Bus error name
    std::string errorMessage;  // and its message, in the program's words for its own errors
    std::unique_ptr<sd_bus_message, sd_bus_message* (*)(sd_bus_message*)> reply{nullptr,
                                                                                sd_bus_message_unref};
};

// Calls `method` of the program's interface; `append` adds the arguments (0 or more on success,
// a negative errno on failure).
BusCall CallProgram(const char* method, const std::function<int(sd_bus_message*)>& append);

}  // namespace tidewell::cli
