#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace tidewell {

// What the password dialog shows.
struct PasswordRequest {
    std::string title;
    std::string reason;         // whose password it is and why it is asked, above the field
    std::string label;          // "Administrator &password:"
    std::string fieldName;      // the field's name in messages: "Password"
    std::size_t maxLength = 0;  // 0: no limit
    // How long the prompt refuses input after it opens: the wait earned by wrong entries. A
    // timer ends it; nothing sleeps, so passes go on meanwhile.
    std::chrono::milliseconds refuseInputFor{0};
};

// The modal password dialog, drawn by the main window.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // The text entered, or nullopt when the user cancels.
    virtual std::optional<std::string> AskPassword(const PasswordRequest& request) = 0;
};

}  // namespace tidewell
