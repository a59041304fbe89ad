#include "app/dialogs/password_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/widgets/qt_text.h"

namespace tidewell {

PasswordDialog::PasswordDialog(const PasswordRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName("passwordDialog");
    setWindowTitle(DisplayText(request.title));
    auto* layout = new QFormLayout(this);
    if (!request.reason.empty()) {
        auto* reason = new QLabel(DisplayText(request.reason), this);
        reason->setObjectName("passwordReason");
        reason->setWordWrap(true);
        reason->setMinimumWidth(360);
        layout->addRow(reason);
    }
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("passwordEdit");
    m_edit->setEchoMode(QLineEdit::Password);
    if (request.maxLength > 0) m_edit->setMaxLength(static_cast<int>(request.maxLength));
    m_edit->setMinimumWidth(240);
    auto* label = new QLabel(DisplayText(request.label), this);
    label->setBuddy(m_edit);
    layout->addRow(label, m_edit);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName("passwordOk");
    m_ok->setDefault(true);
    buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)
        ->setObjectName("passwordCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
    if (request.refuseInputFor.count() > 0) {
        m_edit->setEnabled(false);
        m_ok->setEnabled(false);
        auto* refusal = new QTimer(this);
        refusal->setObjectName("passwordRefusalTimer");
        refusal->setSingleShot(true);
        connect(refusal, &QTimer::timeout, this, &PasswordDialog::AllowInput);
        refusal->start(request.refuseInputFor);
    }
}

void PasswordDialog::AllowInput() {
    m_edit->setEnabled(true);
    m_ok->setEnabled(true);
    m_edit->setFocus();
}

QString PasswordDialog::Password() const {
    return m_edit->text();
}

std::optional<std::string> QtPasswordPrompt::AskPassword(const PasswordRequest& request) {
    PasswordDialog dialog(request, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ToStdString(dialog.Password());
}

}  // namespace tidewell
