#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "config/program_options.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tidewell {

class MessageBoxService;

// The General page of the Options dialog: saving, error reminders, update detection, the
// administrator password and the user data directory. It only collects; the dialog applies.
class COptGeneralPage final : public QWidget {
    Q_OBJECT

public:
    // `password` is the administrator password in force (empty: none); `userDataDirectory` the
    // current directory.
    COptGeneralPage(const ProgramOptions& options, std::string password, std::string userDataDirectory,
                    MessageBoxService& messageBox, QWidget* parent = nullptr);

    // The switches of this page written into `options`.
    void Store(ProgramOptions& options) const;
    // The password change asked for: nothing when unchanged, empty to remove the password.
    const std::optional<std::string>& PendingPassword() const { return m_pendingPassword; }
    // The directory text without its leading and trailing white space.
    std::string UserDataDirectoryText() const;
    bool HasChanges() const;
    // The password change was carried out: `password` is in force now.
    void PasswordApplied(std::string password);

    // Line `index` of the page's label row, or `count` lines from it joined with CR LF.
    static std::string PageText(std::size_t index, std::size_t count = 1);
    static constexpr std::size_t kNotSavedLine = 4;  // "Changes to #1 were not saved ...", 3 lines
    static constexpr std::size_t kNotSavedLines = 3;

private:
    void OnPasswordProtectedClicked(bool checked);
    void OnChangePassword();
    void OnAutoUpdateToggled(bool on);
    void OnBrowse();
    void UpdatePasswordControls();
    bool PasswordInForce() const;

    const ProgramOptions m_initial;
    std::string m_password;
    const std::string m_initialDirectory;
    MessageBoxService& m_messageBox;
    std::optional<std::string> m_pendingPassword;
    QCheckBox* m_autoSave = nullptr;
    QCheckBox* m_remindFile = nullptr;
    QCheckBox* m_remindMusic = nullptr;
    QCheckBox* m_autoUpdate = nullptr;
    QCheckBox* m_passwordProtected = nullptr;
    QPushButton* m_changePassword = nullptr;
    QLineEdit* m_directory = nullptr;
};

}  // namespace tidewell
