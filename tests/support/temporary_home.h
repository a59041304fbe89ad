#pragma once

#include <stdlib.h>

#include <map>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace tidewell::testing {

// The tool finds the user's files below HOME: a temporary home for the test's lifetime.
class TemporaryHome {
public:
    TemporaryHome() {
        for (const char* name : kVariables) {
            const char* value = getenv(name);
            m_saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
        setenv("HOME", m_dir.Path().c_str(), 1);
    }
    ~TemporaryHome() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }

private:
    static constexpr const char* kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                                                 "TIDEWELL_MACHINE_CONFIG_DIR"};
    TempDir m_dir;
    std::map<std::string, std::optional<std::string>> m_saved;
};

}  // namespace tidewell::testing
