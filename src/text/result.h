#pragma once

#include <string>
#include <utility>

namespace tidewell {

// The one error style of the core: success, or failure with the message the user sees.
// A failing operation writes no output.
class Result {
public:
    static Result Ok() { return Result(true, {}); }
    static Result Fail(std::string message) { return Result(false, std::move(message)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const std::string& message() const { return m_message; }

private:
    Result(bool ok, std::string message) : m_ok(ok), m_message(std::move(message)) {}

    bool m_ok;
    std::string m_message;
};

}  // namespace tidewell
