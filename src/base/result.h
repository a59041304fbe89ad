#pragma once

#include <string>
#include <utility>

namespace tidewell {

// What kind of failure a result reports: callers branch on the kind, never on the message.
enum class ErrorKind {
    none,          // success
    notFound,      // a file, folder, program or server that is not there
    damaged,       // bytes that do not read as what they should be
    wrongPassword, // a protected file or setting opened with the wrong password
    io,            // reading, writing, creating or removing failed
    invalid,       // input the rules refuse
    refused,       // the system or a service refused (permission, policy, inhibitor)
    unavailable,   // a service or device that is not offered here
    cancelled,     // the user or the caller stopped it
    timedOut,      // no answer in time
};

// The one error style of the core: success, or failure with its kind and the message the user sees.
// A failing operation writes no output.
class [[nodiscard]] Result {
public:
    static Result Ok() { return Result(ErrorKind::none, {}); }
    static Result Fail(ErrorKind kind, std::string message) { return Result(kind, std::move(message)); }

    bool ok() const { return m_kind == ErrorKind::none; }
    explicit operator bool() const { return ok(); }
    ErrorKind kind() const { return m_kind; }
    const std::string& message() const { return m_message; }

private:
    Result(ErrorKind kind, std::string message) : m_kind(kind), m_message(std::move(message)) {}

    ErrorKind m_kind;
    std::string m_message;
};

}  // namespace tidewell
