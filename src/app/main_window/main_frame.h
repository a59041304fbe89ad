#pragma once

#include <QMainWindow>
#include <map>
#include <optional>

#include "app/main_window/command_table.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace tidewell {

class CSystemTray;
class CTidewellApp;
class CTidewellDoc;
class CTidewellView;
class FrameOperations;
class MessageBoxService;
class SaveFailureNotice;

// The main window: menus, accelerators, toolbar, status bar, the task list and the tray icon.
// Every command is a QAction named in the command table and reaches its handler here; the
// one-second scheduling pass runs from a timer aligned to the wall-clock second. Closing the
// window only hides it, or minimizes it where no tray host shows the icon; when the frame goes,
// the logon start entry is written again.
class CMainFrame final : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CTidewellApp& app, CTidewellDoc& doc, bool cjk, int screenWidth);
    ~CMainFrame() override;

    CTidewellView& View() { return *m_view; }
    // Visible and not minimized: only then is a changed text worth a redraw (a window that
    // comes back paints itself anew).
    bool IsOnScreen() const { return isVisible() && !isMinimized(); }
    CSystemTray* Tray() { return m_tray; }
    QAction* Action(CommandId id) const;

    // After the list is loaded: columns and rows, the timers, and the start-up catch-up pass.
    void InitialUpdate();
    // The save question for unsaved changes: Yes saves, No reloads the file. False on Cancel
    // or when the save failed.
    bool AskSaveChanges();
    // A save the user asked for. While the file that could not be read is left alone, asks
    // first whether to replace it; false when the user keeps it or the save failed.
    bool SaveAsked();
    // State texts, check marks and enabled states of the commands.
    void UpdateCommandStates();
    void RefreshCaption();
    // After a task was added or enabled while scheduling is off: the first task with a next
    // run switches scheduling on, and `message` says so.
    void AutoRestartScheduling(const std::string& message);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    using Handler = void (CMainFrame::*)();

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void SetStateText(CommandId id, bool on);
    void ScheduleTick();
    void Tick();
    std::optional<size_t> SelectedTask() const;
    void ShowMessage(const std::string& text, unsigned style);
    void EnableOrDisable(size_t index);
    // Closing and Run in Background: hidden while a tray host shows the icon, else minimized.
    void PutAway();
    void FollowTrayHost(bool available);

    void OnToggleScheduling();
    void OnSave();
    void OnRunInBackground();
    void OnExitCompletely();
    void OnRunNow();
    void OnAddTask();
    void OnCopyTask();
    void OnDeleteTask();
    void OnEditTask();
    void OnFind();
    void OnFindNext();
    void OnToggleEnabled();
    void OnPauseCountDown();
    void OnClearCountDown();
    void OnToolbar();
    void OnStatusBar();
    void OnViewLog();
    void OnQuickView();
    void OnClockSynchronization();
    void OnStatistics();
    void OnOptions();
    void OnMute();
    void OnStopSound();
    void OnHelp();
    void OnAutoUpdate();
    void OnHomepage();
    void OnCheckUpdate();
    void OnAbout();
    void OnShowHide();

    CTidewellApp& m_app;
    CTidewellDoc& m_doc;
    FrameOperations& m_operations;
    MessageBoxService& m_messageBox;
    CTidewellView* m_view;
    const int m_screenWidth;
    std::map<CommandId, QAction*> m_actions;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_idleLabel = nullptr;
    SaveFailureNotice* m_saveNotice = nullptr;
    CSystemTray* m_tray = nullptr;
    QTimer* m_tick = nullptr;
};

}  // namespace tidewell
