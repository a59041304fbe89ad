#include "config/admin_password.h"

#include <algorithm>

#include "config/password_file.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

AdminPassword::AdminPassword(MessageBoxService& messageBox) : m_messageBox(messageBox) {}

Result AdminPassword::ReadPasswordFile(const std::string& path) {
    return tidewell::ReadPasswordFile(path, &m_password);
}

Result AdminPassword::SetAdminPassword(std::string_view newPassword, const std::string& path) {
    Result result = ValidatePassword(newPassword);
    if (result.ok()) {
        // The file first: a password only in memory would protect the schedule file under a key
        // that the next start does not know.
        const std::string normalized = NormalizePassword(newPassword);
        result = WritePasswordFile(path, normalized);
        if (result.ok()) {
            m_password = normalized;
            return result;
        }
    }
    m_messageBox.ShowMessageBox(result.message(), LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
    return result;
}

bool AdminPassword::CheckAdminPassword(std::string_view caption, PasswordPrompt& prompt) {
    if (m_password.empty()) {
        return true;
    }
    PasswordRequest request;
    request.title =
        caption.empty() ? LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_PASSWORD) : std::string(caption);
    request.reason = LoadMessage(IDS_TIDEWELL_MESSAGE_ADMIN_PASSWORD_REASON, LoadMessage(IDS_KLN_TIDEWELL));
    request.label = LoadMessage(IDS_TIDEWELL_ADMIN_PASSWORD_LABEL_P);
    request.fieldName = LoadMessage(IDS_KLN_PASSWORD);
    request.maxLength = kPasswordMaxLength;
    request.refuseInputFor = m_failedAttemptDelay;
    const std::optional<std::string> entry = prompt.AskPassword(request);
    if (!entry) {
        return false;
    }
    if (NormalizePassword(*entry) == m_password) {
        return true;
    }
    m_failedAttemptDelay = std::min(m_failedAttemptDelay + kFailedAttemptDelayStep, kFailedAttemptDelayLimit);
    m_messageBox.ShowMessageBox(LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD), request.title,
                                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

}  // namespace tidewell
