#include "app/dialogs/options_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "app/dialogs/opt_general_page.h"
#include "app/dialogs/opt_schedule_page.h"
#include "app/main_window/frame_operations.h"
#include "app/main_window/main_frame.h"
#include "app/main_window/tidewell_doc.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/admin_password.h"
#include "config/copy_user_data.h"
#include "config/data_directories.h"
#include "config/locations.h"
#include "files/keep_aside.h"
#include "files/paths.h"
#include "ui_ports/message_box.h"

namespace tidewell {

OptionsDialog::OptionsDialog(CTidewellApp& app, QWidget* parent) : QDialog(parent), m_app(app) {
    setObjectName("optionsDialog");
    setWindowTitle(MessageText(IDS_KLN_OPTIONS));
    const ProgramOptions options = app.Options();
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName("optionsTabs");
    m_general = new COptGeneralPage(options, app.Password().Password(), app.UserData().Path(),
                                    app.MessageBox(), tabs);
    m_schedule = new COptSchedulePage(options, tabs);
    tabs->addTab(m_general, MessageText(IDS_KLN_GENERAL));
    tabs->addTab(m_schedule, MessageText(IDS_KLN_SCHEDULE));
    layout->addWidget(tabs);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("optionsOk");
    ok->setDefault(true);
    buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)
        ->setObjectName("optionsCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(560);
}

bool OptionsDialog::HasChanges() const {
    return m_general->HasChanges() || m_schedule->HasChanges();
}

bool OptionsDialog::Apply() {
    const std::string directory = m_general->UserDataDirectoryText();
    const bool moving = directory != m_app.UserData().Path();
    // A directory that cannot be taken stops the whole apply before anything changed.
    if (moving && !CheckUserDataDirectory(directory)) return false;
    if (!ApplyPassword()) return false;

    const ProgramOptions before = m_app.Options();
    ProgramOptions after = before;
    m_general->Store(after);
    m_schedule->Store(after);
    m_app.SetOptions(after);
    // A switch turned on while the list holds unsaved changes saves them now.
    const bool switchedOn = (after.autoSave && !before.autoSave) ||
                            (after.remindFileErrors && !before.remindFileErrors) ||
                            (after.remindMusicErrors && !before.remindMusicErrors);
    CTidewellDoc* doc = m_app.Document();
    if (switchedOn && doc != nullptr && doc->IsModified()) doc->Save();
    m_summaryChanged |= after.yearlySummaryUseRange != before.yearlySummaryUseRange ||
                        after.yearlySummaryMonthFormat != before.yearlySummaryMonthFormat;
    return !moving || SwitchUserDataDirectory(directory);
}

void OptionsDialog::accept() {
    if (Apply()) QDialog::accept();
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    if (!isVisible() || !HasChanges()) {
        QDialog::closeEvent(event);
        return;
    }
    const int answer =
        m_app.MessageBox().ShowMessageBox(LoadMessage(IDS_MESSAGE_OPT_CHANGED_PROMPT_SAVE),
                                          LoadMessage(IDS_KLN_OPTIONS), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) {
        QDialog::closeEvent(event);  // closes as Cancel does
        return;
    }
    if (!Apply()) {
        event->ignore();
        return;
    }
    QDialog::accept();
    event->accept();
}

void OptionsDialog::ShowNotSaved(const std::string& reason) {
    std::string text =
        COptGeneralPage::PageText(COptGeneralPage::kNotSavedLine, COptGeneralPage::kNotSavedLines);
    text = ReplaceAll(ReplaceAll(std::move(text), "#1", LoadMessage(IDS_DIALOG_UDD_TITLE)), "#2", reason);
    m_app.MessageBox().ShowMessageBox(text, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
}

bool OptionsDialog::CheckUserDataDirectory(const std::string& path) {
    const Result valid = ValidateUserDataDirectory(path, m_app.GetLocations());
    if (!valid) ShowNotSaved(valid.message());
    return valid.ok();
}

bool OptionsDialog::ApplyPassword() {
    const std::optional<std::string>& pending = m_general->PendingPassword();
    if (!pending) return true;
    AdminPassword& password = m_app.Password();
    if (!password.SetAdminPassword(NormalizePassword(*pending), m_app.GetLocations().PasswordFilePath())) {
        return false;  // the reason has been shown; the old password holds
    }
    if (CTidewellDoc* doc = m_app.Document()) doc->ProtectWith(password.Password());
    m_app.Operations().LogEvent(nullptr, EventKind::passwordChanged);
    m_general->PasswordApplied(password.Password());
    return true;
}

bool OptionsDialog::SwitchUserDataDirectory(const std::string& path) {
    CTidewellDoc* doc = m_app.Document();
    CMainFrame* frame = m_app.MainFrame();
    // Unsaved changes are saved or dropped first; Cancel keeps the directory.
    if (frame != nullptr && !frame->AskSaveChanges()) return false;
    UserDataDirectory& userData = m_app.UserData();
    const std::string warning = UserDataDirectoryWarning(path, m_app.GetLocations());
    if (!warning.empty()) {
        m_app.MessageBox().ShowMessageBox(warning, LoadMessage(IDS_DIALOG_UDD_TITLE),
                                          MB_OK | MB_ICONINFORMATION);
    }
    if (m_app.MessageBox().ShowMessageBox(LoadMessage(IDS_DIALOG_OPTIONS_GENERAL_PROMPT_COPY_UDD),
                                          LoadMessage(IDS_DIALOG_UDD_TITLE),
                                          MB_YESNO | MB_ICONQUESTION) == IDYES) {
        std::string leaveOut;
        if (!KeepOneList(path, leaveOut)) return false;
        if (doc != nullptr) doc->FinishSaves();  // the copy takes the file as last saved
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const Result copied = CopyUserData(userData.Path(), path, CopyMode::Copy, {}, leaveOut);
        QApplication::restoreOverrideCursor();
        // A failed copy leaves the new folder as it was and keeps the old directory.
        if (!copied) {
            ShowNotSaved(copied.message());
            return false;
        }
    }
    if (const Result taken = userData.Set(path); !taken) {
        ShowNotSaved(taken.message());
        return false;
    }
    if (doc != nullptr) {
        doc->SetScheduleFile(userData.ScheduleFile());
        doc->Load();
    }
    return true;
}

bool OptionsDialog::KeepOneList(const std::string& path, std::string& leaveOut) {
    const std::string ours = m_app.UserData().ScheduleFile();
    const std::string theirs = JoinPath(path, kScheduleFileName);
    std::error_code error;
    if (!std::filesystem::exists(ours, error) || !std::filesystem::exists(theirs, error)) return true;
    const std::string aside = FreeKeptListName(theirs);
    std::string question = LoadMessage(IDS_DIALOG_UDD_PROMPT_WHICH_LIST);
    question = ReplaceAll(ReplaceAll(ReplaceAll(std::move(question), "#1", path), "#2", aside), "#3",
                          m_app.UserData().Path());
    const int answer = m_app.MessageBox().ShowMessageBox(question, LoadMessage(IDS_DIALOG_UDD_TITLE),
                                                         MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDNO) {
        leaveOut = kScheduleFileName;  // the folder's list stays; ours stays in the old folder
        return true;
    }
    if (answer != IDYES) return false;
    std::string kept;
    if (const Result keptAside = KeepAside(theirs, kept, KeptListName); !keptAside) {
        ShowNotSaved(keptAside.message());
        return false;
    }
    return true;
}

}  // namespace tidewell
