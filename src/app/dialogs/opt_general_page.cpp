#include "app/dialogs/opt_general_page.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/change_password_dialog.h"
#include "app/widgets/qt_text.h"
#include "text/list_texts.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

// Lines of the page's label row.
constexpr std::size_t kAutoSaveLine = 0;
constexpr std::size_t kErrorRemindersLine = 1;
constexpr std::size_t kRemindFileLine = 2;
constexpr std::size_t kRemindMusicLine = 3;
constexpr std::size_t kAutoUpdateGroupLine = 7;
constexpr std::size_t kAutoUpdateLine = 8;
constexpr std::size_t kAutoUpdateOffNoticeLine = 9;
constexpr std::size_t kAutoUpdateOffNoticeLines = 3;

QCheckBox* CheckBox(std::size_t line, const char* name, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(ToQString(COptGeneralPage::PageText(line)), parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QGroupBox* Group(const QString& title, const char* name, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    new QVBoxLayout(group);
    return group;
}

}  // namespace

std::string COptGeneralPage::PageText(std::size_t index, std::size_t count) {
    std::string text;
    for (std::size_t line = index; line < index + count; ++line) {
        if (line != index) text += "\r\n";
        text += LoadMessageLine(IDS_DIALOG_OPTIONS_GENERAL_LIST, line);
    }
    return text;
}

COptGeneralPage::COptGeneralPage(const ProgramOptions& options, std::string password,
                                 std::string userDataDirectory, MessageBoxService& messageBox,
                                 QWidget* parent)
    : QWidget(parent),
      m_initial(options),
      m_password(std::move(password)),
      m_initialDirectory(std::move(userDataDirectory)),
      m_messageBox(messageBox) {
    setObjectName("optGeneralPage");
    auto* layout = new QVBoxLayout(this);
    m_autoSave = CheckBox(kAutoSaveLine, "autoSaveCheck", options.autoSave, this);
    layout->addWidget(m_autoSave);

    QGroupBox* reminders = Group(ToQString(PageText(kErrorRemindersLine)), "errorRemindersGroup", this);
    m_remindFile = CheckBox(kRemindFileLine, "remindFileCheck", options.remindFileErrors, reminders);
    m_remindMusic = CheckBox(kRemindMusicLine, "remindMusicCheck", options.remindMusicErrors, reminders);
    reminders->layout()->addWidget(m_remindFile);
    reminders->layout()->addWidget(m_remindMusic);
    layout->addWidget(reminders);

    QGroupBox* update = Group(ToQString(PageText(kAutoUpdateGroupLine)), "autoUpdateGroup", this);
    m_autoUpdate = CheckBox(kAutoUpdateLine, "autoUpdateCheck", options.autoUpdate, update);
    update->layout()->addWidget(m_autoUpdate);
    layout->addWidget(update);
    connect(m_autoUpdate, &QCheckBox::toggled, this, &COptGeneralPage::OnAutoUpdateToggled);

    QGroupBox* security = Group(MessageText(IDS_KLN_PASSWORD), "passwordGroup", this);
    auto* passwordRow = new QHBoxLayout;
    m_passwordProtected = new QCheckBox(MessageText(IDS_DIALOG_PASSWORD_PROTECTED_P), security);
    m_passwordProtected->setObjectName("passwordProtectedCheck");
    m_changePassword = new QPushButton(MessageText(IDS_DIALOG_CHANGE_PASSWORD_C), security);
    m_changePassword->setObjectName("changePasswordButton");
    passwordRow->addWidget(m_passwordProtected, 1);
    passwordRow->addWidget(m_changePassword);
    static_cast<QVBoxLayout*>(security->layout())->addLayout(passwordRow);
    layout->addWidget(security);
    connect(m_passwordProtected, &QCheckBox::clicked, this, &COptGeneralPage::OnPasswordProtectedClicked);
    connect(m_changePassword, &QPushButton::clicked, this, &COptGeneralPage::OnChangePassword);

    QGroupBox* folder = Group(MessageText(IDS_DIALOG_UDD_TITLE), "userDataDirectoryGroup", this);
    auto* info = new QLabel(MessageText(IDS_DIALOG_UDD_INFO), folder);
    info->setWordWrap(true);
    folder->layout()->addWidget(info);
    auto* folderRow = new QHBoxLayout;
    m_directory = new QLineEdit(ToQString(m_initialDirectory), folder);
    m_directory->setObjectName("userDataDirectoryEdit");
    auto* browse = new QPushButton(MessageText(IDS_DIALOG_UDD_BROWSE_B), folder);
    browse->setObjectName("userDataDirectoryBrowse");
    folderRow->addWidget(m_directory, 1);
    folderRow->addWidget(browse);
    static_cast<QVBoxLayout*>(folder->layout())->addLayout(folderRow);
    layout->addWidget(folder);
    connect(browse, &QPushButton::clicked, this, &COptGeneralPage::OnBrowse);
    layout->addStretch(1);
    UpdatePasswordControls();
}

void COptGeneralPage::Store(ProgramOptions& options) const {
    options.autoSave = m_autoSave->isChecked();
    options.remindFileErrors = m_remindFile->isChecked();
    options.remindMusicErrors = m_remindMusic->isChecked();
    options.autoUpdate = m_autoUpdate->isChecked();
}

std::string COptGeneralPage::UserDataDirectoryText() const {
    return ToStdString(m_directory->text().trimmed());
}

bool COptGeneralPage::HasChanges() const {
    ProgramOptions now = m_initial;
    Store(now);
    return now != m_initial || m_pendingPassword.has_value() || UserDataDirectoryText() != m_initialDirectory;
}

void COptGeneralPage::PasswordApplied(std::string password) {
    m_password = std::move(password);
    m_pendingPassword.reset();
    UpdatePasswordControls();
}

bool COptGeneralPage::PasswordInForce() const {
    return m_pendingPassword ? !m_pendingPassword->empty() : !m_password.empty();
}

void COptGeneralPage::UpdatePasswordControls() {
    m_passwordProtected->setChecked(PasswordInForce());
    m_changePassword->setEnabled(PasswordInForce());
}

void COptGeneralPage::OnPasswordProtectedClicked(bool checked) {
    if (checked) {
        OnChangePassword();
    } else if (m_password.empty()) {
        m_pendingPassword.reset();  // a password chosen in this dialog is simply dropped
    } else {
        ChangePasswordDialog dialog(ChangePasswordDialog::Mode::remove, m_password, m_messageBox, this);
        if (dialog.exec() == QDialog::Accepted) m_pendingPassword = std::string();
    }
    UpdatePasswordControls();
}

void COptGeneralPage::OnChangePassword() {
    ChangePasswordDialog dialog(ChangePasswordDialog::Mode::set, m_password, m_messageBox, this);
    if (dialog.exec() == QDialog::Accepted) m_pendingPassword = dialog.NewPassword();
    UpdatePasswordControls();
}

void COptGeneralPage::OnAutoUpdateToggled(bool on) {
    if (on) return;
    m_messageBox.ShowMessageBox(PageText(kAutoUpdateOffNoticeLine, kAutoUpdateOffNoticeLines),
                                LoadMessage(IDS_DIALOG_LVUD_CAPTION), MB_OK | MB_ICONINFORMATION);
}

void COptGeneralPage::OnBrowse() {
    const QString chosen = QFileDialog::getExistingDirectory(this, MessageText(IDS_DIALOG_BROWSE_FOR_FOLDER),
                                                             m_directory->text());
    if (!chosen.isEmpty()) m_directory->setText(chosen);
}

}  // namespace tidewell
