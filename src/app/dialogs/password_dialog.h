#pragma once

#include <QDialog>

#include "config/admin_password.h"

class QLineEdit;
class QPushButton;

namespace tidewell {

// The administrator password dialog: one masked field ("passwordEdit") with OK and Cancel. After
// wrong entries the field and OK stay disabled for the request's wait ("passwordRefusalTimer").
class PasswordDialog final : public QDialog {
    Q_OBJECT

public:
    PasswordDialog(const PasswordRequest& request, QWidget* parent = nullptr);
    QString Password() const;
    // Ends the refusal of input the request asked for; its timer calls it.
    void AllowInput();

private:
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
};

// The password prompt drawn with PasswordDialog, modal over the active window.
class QtPasswordPrompt final : public PasswordPrompt {
public:
    std::optional<std::string> AskPassword(const PasswordRequest& request) override;
};

}  // namespace tidewell
