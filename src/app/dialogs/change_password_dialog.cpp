#include "app/dialogs/change_password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/admin_password.h"
#include "ui_ports/message_box.h"

namespace tidewell {

ChangePasswordDialog::ChangePasswordDialog(Mode mode, std::string current, MessageBoxService& messageBox,
                                           QWidget* parent)
    : QDialog(parent), m_mode(mode), m_current(std::move(current)), m_messageBox(messageBox) {
    setObjectName("changePasswordDialog");
    setWindowTitle(MessageText(IDS_DIALOG_CHANGE_PASSWORD_TITLE));
    auto* layout = new QFormLayout(this);
    layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    if (!m_current.empty())
        m_original = AddField(IDS_DIALOG_CHANGE_PASSWORD_ORIGINAL_PASSWORD_O, "originalPassword");
    if (m_mode == Mode::set) {
        m_new = AddField(IDS_DIALOG_CHANGE_PASSWORD_NEW_PASSWORD_N, "newPassword");
        m_confirm = AddField(IDS_DIALOG_CHANGE_PASSWORD_CONFIRM_PASSWORD_C, "confirmPassword");
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("changePasswordOk");
    ok->setDefault(true);
    buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)
        ->setObjectName("changePasswordCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &ChangePasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

QLineEdit* ChangePasswordDialog::AddField(int32_t labelId, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(kPasswordMaxLength) + 1);  // one more, so a long entry is told
    edit->setMinimumWidth(220);
    auto* label = new QLabel(MessageText(labelId), this);
    label->setBuddy(edit);
    static_cast<QFormLayout*>(layout())->addRow(label, edit);
    return edit;
}

std::string ChangePasswordDialog::NewPassword() const {
    return m_new != nullptr ? ToStdString(m_new->text()) : std::string();
}

void ChangePasswordDialog::accept() {
    std::string problem;
    if (m_original != nullptr && NormalizePassword(ToStdString(m_original->text())) != m_current) {
        problem = LoadMessage(IDS_ERROR_SECURITY_ORIGINAL_PWD_INCORRECT);
    } else if (m_mode == Mode::set) {
        const std::string entered = NewPassword();
        if (entered != ToStdString(m_confirm->text())) {
            problem = LoadMessage(IDS_ERROR_SECURITY_TWO_NEW_PWD_NOT_MATCH);
        } else if (entered.empty()) {
            // Setting nothing is removing: that is the check box's part.
            problem = ReplaceAll(
                ReplaceAll(LoadMessage(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG), "#1",
                           "1"),
                "#2", std::to_string(kPasswordMaxLength));
        } else if (Result valid = ValidatePassword(entered); !valid) {
            problem = valid.message();
        }
    }
    if (!problem.empty()) {
        m_messageBox.ShowMessageBox(problem, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QDialog::accept();
}

}  // namespace tidewell
