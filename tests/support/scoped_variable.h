#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace tidewell::testing {

// Sets an environment variable (unsets it for nullptr) while the value lives, then puts back
// what it was.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : m_name(name) {
        if (const char* old = getenv(name)) m_old = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { Restore(); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

    void Restore() const { m_old ? setenv(m_name.c_str(), m_old->c_str(), 1) : unsetenv(m_name.c_str()); }

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

}  // namespace tidewell::testing
