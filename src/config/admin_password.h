#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"
#include "crypto/password_encoding.h"
#include "ui_ports/password_prompt.h"

namespace tidewell {

class MessageBoxService;

// Added to the wait after every wrong entry, up to the limit.
inline constexpr std::chrono::milliseconds kFailedAttemptDelayStep{500};
inline constexpr std::chrono::milliseconds kFailedAttemptDelayLimit{3000};

// The program's access lock: the password in memory, its file and the unlocking dialog.
// Used on the user-interface thread only.
class AdminPassword {
public:
    explicit AdminPassword(MessageBoxService& messageBox);

    const std::string& Password() const { return m_password; }
    bool IsSet() const { return !m_password.empty(); }
    std::chrono::milliseconds FailedAttemptDelay() const { return m_failedAttemptDelay; }

    // Takes the password stored at path; a missing file leaves no password. A file that cannot be
    // read or is damaged fails (see tidewell::ReadPasswordFile): the program stays locked.
    Result ReadPasswordFile(const std::string& path);

    // Validates and normalizes the new password (empty removes it), writes it to path and only
    // then makes it the password in memory. A problem is shown and returned, and changes nothing.
    Result SetAdminPassword(std::string_view newPassword, const std::string& path);

    // True at once without a password; otherwise asks and is true only for the right entry.
    // Every wrong entry makes the prompt refuse input 500 ms longer than before (at most
    // kFailedAttemptDelayLimit), for the whole run.
    bool CheckAdminPassword(std::string_view caption, PasswordPrompt& prompt);

private:
    MessageBoxService& m_messageBox;
    std::string m_password;
    std::chrono::milliseconds m_failedAttemptDelay{0};
};

}  // namespace tidewell
