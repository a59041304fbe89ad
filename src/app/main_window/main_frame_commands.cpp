// The command handlers of the main window.
#include <QAction>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "app/main_window/frame_operations.h"
#include "app/main_window/main_frame.h"
#include "app/main_window/system_tray.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/help_page.h"
#include "platform/launcher.h"
#include "platform/settings_port.h"
#include "ui_ports/message_box.h"

namespace tidewell {

void CMainFrame::OnToggleScheduling() {
    m_app.ToggleScheduling(false);
}

void CMainFrame::OnSave() {
    if (m_doc.IsModified()) SaveAsked();
}

void CMainFrame::OnRunInBackground() {
    SettingsPort& settings = m_app.Settings();
    if (settings.ReadSettingInt(app_keys::kHideMeSection, app_keys::kPromptClickOpen, 1) != 0) {
        bool showNextTime = true;
        const std::string product = m_app.ProductName();
        // No word of a tray icon where no tray shows one.
        const int32_t text = m_tray->HostAvailable()
                                 ? IDS_TIDEWELL_MESSAGE_PROMPT_WAKEN_FROM_BOTTOM_RIGHT_ICON
                                 : IDS_TIDEWELL_MESSAGE_PROMPT_MINIMIZED_WITHOUT_TRAY;
        m_messageBox.ShowMessageBox(LoadMessage(text, product), product, MB_OK | MB_ICONINFORMATION, {},
                                    &showNextTime);
        if (!showNextTime &&
            !settings.WriteSettingInt(app_keys::kHideMeSection, app_keys::kPromptClickOpen, 0)) {
            // Not stored: the store has told the user once, and the choice holds in memory until exit.
        }
    }
    PutAway();
}

void CMainFrame::OnExitCompletely() {
    m_app.ExitCompletely();
}

void CMainFrame::OnRunNow() {
    if (std::optional<size_t> selected = SelectedTask()) m_operations.RunTaskNow(m_doc.Tasks()[*selected]);
}

void CMainFrame::OnAddTask() {
    m_operations.AddTask(m_doc.Tasks());
}

void CMainFrame::OnCopyTask() {
    if (std::optional<size_t> selected = SelectedTask()) {
        m_operations.CopyTask(m_doc.Tasks(), m_doc.Tasks()[*selected]);
    }
}

void CMainFrame::OnDeleteTask() {
    const std::optional<size_t> selected = SelectedTask();
    if (!selected) return;
    const std::string question = ReplaceAll(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_DELETE_TASK), "#1",
                                            m_doc.Tasks()[*selected].title);
    if (m_messageBox.ShowMessageBox(question, m_app.ProductName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_operations.LogEvent(&m_doc.Tasks()[*selected], EventKind::taskDeleted);
    m_doc.DeleteTask(*selected, m_app.AutoSave());
    // The selection goes to the task that took the deleted one's place, else the one before.
    const TaskList& tasks = m_doc.Tasks();
    std::optional<size_t> next;
    for (size_t row = *selected; row < tasks.size() && !next; ++row) {
        if (!IsPlaceholderTask(tasks[row])) next = row;
    }
    for (size_t row = std::min(*selected, tasks.size()); row > 0 && !next; --row) {
        if (!IsPlaceholderTask(tasks[row - 1])) next = row - 1;
    }
    if (next) m_view->SelectIndex(*next);
    UpdateCommandStates();
}

void CMainFrame::OnEditTask() {
    if (std::optional<size_t> selected = SelectedTask()) {
        m_operations.EditTask(m_doc.Tasks(), m_doc.Tasks()[*selected]);
    }
}

void CMainFrame::OnFind() {
    m_operations.Find(m_doc.Tasks());
}

void CMainFrame::OnFindNext() {
    m_operations.FindNext(m_doc.Tasks());
}

void CMainFrame::OnToggleEnabled() {
    if (std::optional<size_t> selected = SelectedTask()) EnableOrDisable(*selected);
}

void CMainFrame::OnPauseCountDown() {
    const std::optional<size_t> selected = SelectedTask();
    bool enable = false;
    if (!selected || !m_doc.PauseOrContinueCountDown(*selected, enable)) return;
    if (enable) EnableOrDisable(*selected);
    m_doc.Save();
}

void CMainFrame::OnClearCountDown() {
    const std::optional<size_t> selected = SelectedTask();
    bool enable = false;
    if (!selected || !m_doc.ClearAndStopCountDown(*selected, enable)) return;
    if (enable) EnableOrDisable(*selected);
    m_doc.Save();
}

void CMainFrame::OnToolbar() {
    m_toolBar->setVisible(Action(kCmdToolbar)->isChecked());
}

void CMainFrame::OnStatusBar() {
    statusBar()->setVisible(Action(kCmdStatusBar)->isChecked());
}

void CMainFrame::OnViewLog() {
    m_operations.ViewLog();
}

void CMainFrame::OnQuickView() {
    m_operations.QuickView(m_doc.Tasks());
}

void CMainFrame::OnClockSynchronization() {
    m_operations.ClockSynchronization();
}

void CMainFrame::OnStatistics() {
    m_operations.Statistics(m_doc.Tasks());
}

void CMainFrame::OnOptions() {
    m_operations.Options();
}

void CMainFrame::OnMute() {
    const bool mute = !m_app.IsMute();
    m_app.SetMute(mute);
    m_operations.ResetSoundPlayer();
}

void CMainFrame::OnStopSound() {
    m_operations.StopCurrentSound();
}

void CMainFrame::OnHelp() {
    // The pages installed with the program: they need no network and always exist.
    const std::string page = FindHelpPage(m_app.GetLocations(), m_app.LanguageId());
    if (page.empty()) {
        const std::vector<std::string> looked = HelpPageCandidates(m_app.GetLocations(), m_app.LanguageId());
        ShowMessage(ReplaceAll(LoadMessage(IDS_MESSAGE_HELP_NOT_INSTALLED), "#1",
                               looked.empty() ? "" : looked.back()),
                    MB_OK | MB_ICONHAND);
        return;
    }
    if (Result opened = m_app.GetCommandLauncher().Open(page); !opened)
        ShowMessage(opened.message(), MB_OK | MB_ICONHAND);
}

void CMainFrame::OnAutoUpdate() {
    m_app.SetAutoUpdate(!m_app.AutoUpdate());
}

void CMainFrame::OnHomepage() {
    if (m_app.Homepage().empty()) return;
    if (Result opened = m_app.GetCommandLauncher().Open(m_app.Homepage()); !opened) {
        ShowMessage(opened.message(), MB_OK | MB_ICONHAND);
    }
}

void CMainFrame::OnCheckUpdate() {
    // The program has no update source: the package brings new versions. Reporting a check
    // that never happened would mislead.
    m_messageBox.ShowMessageBox(
        LoadMessage(IDS_DIALOG_LVUD_PROMPT_UPDATES_COME_WITH_PACKAGE, m_app.ProductName()),
        LoadMessage(IDS_DIALOG_LVUD_CAPTION), MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnAbout() {
    const std::string product = m_app.ProductName();
    const std::string text = product + "\r\n" + LoadMessage(IDS_DIALOG_ABOUT_COMPANY_PRODUCT_VERSION_PEP) +
                             "\r\n\r\n" + LoadMessage(IDS_DIALOG_ABOUT_COPYRIGHT);
    m_messageBox.ShowMessageBox(text, LoadMessage(IDS_DIALOG_ABOUT_TITLE, product),
                                MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnShowHide() {
    if (isHidden()) {
        if (m_app.AskAdministratorPassword({})) showMaximized();
        return;
    }
    if (isMinimized()) {
        showMaximized();
        return;
    }
    if (AskSaveChanges()) PutAway();
}

}  // namespace tidewell
