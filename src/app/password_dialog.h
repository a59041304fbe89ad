#pragma once

#include <QDialog>

#include "config/admin_password.h"

class QLineEdit;

namespace tidewell {

// The administrator password dialog: one masked field ("passwordEdit") with OK and Cancel.
class PasswordDialog final : public QDialog {
    Q_OBJECT

public:
    PasswordDialog(const PasswordRequest& request, QWidget* parent = nullptr);
    QString Password() const;

private:
    QLineEdit* m_edit = nullptr;
};

// The password prompt drawn with PasswordDialog, modal over the active window.
class QtPasswordPrompt final : public PasswordPrompt {
public:
    std::optional<std::string> AskPassword(const PasswordRequest& request) override;
};

}  // namespace tidewell
