#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace tidewell {

class MessageBoxService;

// Asks for a new administrator password, twice, and for the current one when there is one.
// Removing the password asks for the current one only. OK checks the entries and keeps the
// dialog open, with the reason shown, until they are right.
class ChangePasswordDialog final : public QDialog {
    Q_OBJECT

public:
    enum class Mode { set, remove };

    // `current` is the password in force (normalized); empty when none is set.
    ChangePasswordDialog(Mode mode, std::string current, MessageBoxService& messageBox,
                         QWidget* parent = nullptr);

    // The new password as entered (normalize before storing); empty when removing.
    std::string NewPassword() const;

    void accept() override;

private:
    QLineEdit* AddField(int32_t labelId, const char* name);

    const Mode m_mode;
    const std::string m_current;
    MessageBoxService& m_messageBox;
    QLineEdit* m_original = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_confirm = nullptr;
};

}  // namespace tidewell
