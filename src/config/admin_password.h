#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "crypto/protect_file.h"
#include "text/result.h"

namespace tidewell {

class MessageBoxService;

inline constexpr std::size_t kPasswordMaxLength = 16;
// Every password entered is padded to this length (NormalizePassword).
inline constexpr std::size_t kPasswordMinLength = 6;
// Appended to a short password before it is cut to kPasswordMinLength: 5 printable characters.
inline constexpr std::string_view kPasswordPad = "k2@Qz";
// K of the password encoding, 16 printable characters; the schedule file's key is derived with
// the same encoding. A file written with another K cannot be read.
inline constexpr std::string_view kPasswordEncodingKey = "q7#Vx2!mR9&kLp4Z";
// Added to the wait after every wrong entry.
inline constexpr std::chrono::milliseconds kFailedAttemptDelayStep{500};

// Empty is valid. Longer than 16 characters, or a character outside 32 to 126: false, with one
// line per problem (the last line break trimmed).
Result ValidatePassword(std::string_view text);

// A valid text of 1 to 5 characters padded to 6; any other valid text unchanged; an invalid
// text becomes empty.
std::string NormalizePassword(std::string_view text);

// Shifts each of the first 16 characters by the matching character of kPasswordEncodingKey,
// staying within 32 to 126; DecodePassword inverts it for printable text.
std::string EncodePassword(std::string_view text);
std::string DecodePassword(std::string_view text);

// What the password dialog shows.
struct PasswordRequest {
    std::string title;
    std::string label;      // "&Password:"
    std::string fieldName;  // the field's name in messages: "Password"
    std::size_t maxLength = kPasswordMaxLength;
};

// The modal password dialog, drawn by the main window.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    // The text entered, or nullopt when the user cancels.
    virtual std::optional<std::string> AskPassword(const PasswordRequest& request) = 0;
};

// The program's access lock: the password in memory, its file and the unlocking dialog.
// Used on the user-interface thread only.
class AdminPassword {
public:
    AdminPassword(MessageBoxService& messageBox, Sleeper& sleeper);

    const std::string& Password() const { return m_password; }
    bool IsSet() const { return !m_password.empty(); }
    std::chrono::milliseconds FailedAttemptDelay() const { return m_failedAttemptDelay; }

    // Takes the password stored at path; a missing or damaged file leaves no password.
    bool ReadPasswordFile(const std::string& path);

    // Validates and normalizes the new password (empty removes it), writes it to path and only
    // then makes it the password in memory. A problem is shown and returned, and changes nothing.
    Result SetAdminPassword(std::string_view newPassword, const std::string& path);

    // True at once without a password; otherwise asks and is true only for the right entry.
    // Every wrong entry waits 500 ms longer than the one before, for the whole run.
    bool CheckAdminPassword(std::string_view caption, PasswordPrompt& prompt);

private:
    MessageBoxService& m_messageBox;
    Sleeper& m_sleeper;
    std::string m_password;
    std::chrono::milliseconds m_failedAttemptDelay{0};
};

}  // namespace tidewell
