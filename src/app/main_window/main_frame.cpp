#include "app/main_window/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <array>

#include "app/main_window/empty_list_hint.h"
#include "app/main_window/frame_operations.h"
#include "app/main_window/save_failure_notice.h"
#include "app/main_window/system_tray.h"
#include "app/main_window/task_list_model.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/program_icon.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/admin_password.h"
#include "platform/launcher.h"
#include "platform/settings_port.h"
#include "store/registry_store.h"
#include "text/list_texts.h"
#include "timing/run_text.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

constexpr int kSecondMs = 1000;
// The pass starts this long after the second begins, so it never runs in the second before.
constexpr int kTickMarginMs = 3;
constexpr int kAtLogonDelayMs = 1000;
constexpr int kReleaseNoteDelayMs = 100;

// A separator in the lists of menu and toolbar items.
constexpr CommandId kSeparator = static_cast<CommandId>(0);

struct MenuItems {
    int32_t titleId;
    std::vector<CommandId> commands;
};

QIcon CommandIcon(CommandId id, const QStyle* style) {
    switch (id) {
        case kCmdToggleScheduling: return style->standardIcon(QStyle::SP_MediaPause);
        case kCmdSave: return style->standardIcon(QStyle::SP_DialogSaveButton);
        case kCmdRunNow: return style->standardIcon(QStyle::SP_MediaPlay);
        case kCmdAddTask: return style->standardIcon(QStyle::SP_FileIcon);
        case kCmdCopyTask: return style->standardIcon(QStyle::SP_FileLinkIcon);
        case kCmdDeleteTask: return style->standardIcon(QStyle::SP_TrashIcon);
        case kCmdEditTask: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
        case kCmdFind: return style->standardIcon(QStyle::SP_FileDialogContentsView);
        case kCmdQuickView: return style->standardIcon(QStyle::SP_FileDialogListView);
        case kCmdStatistics: return style->standardIcon(QStyle::SP_FileDialogInfoView);
        case kCmdOptions: return style->standardIcon(QStyle::SP_ComputerIcon);
        case kCmdMute: return style->standardIcon(QStyle::SP_MediaVolumeMuted);
        case kCmdStopSound: return style->standardIcon(QStyle::SP_MediaStop);
        case kCmdHelp: return style->standardIcon(QStyle::SP_DialogHelpButton);
        default: return {};
    }
}

}  // namespace

CMainFrame::CMainFrame(CTidewellApp& app, CTidewellDoc& doc, bool cjk, int screenWidth)
    : m_app(app),
      m_doc(doc),
      m_operations(app.Operations()),
      m_messageBox(app.MessageBox()),
      m_view(new CTidewellView(doc.Tasks(), app.GetClock(), cjk, this)),
      m_screenWidth(screenWidth) {
    setObjectName("mainFrame");
    setWindowIcon(ProgramIcon());
    setCentralWidget(m_view);
    setContextMenuPolicy(Qt::PreventContextMenu);  // the bars are switched from the View menu
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    new EmptyListHint(*m_view, Action(kCmdAddTask));
    m_saveNotice =
        new SaveFailureNotice(m_doc, *statusBar(), *this, m_doc.Context().clock, m_app.ProductName());
    m_tray = new CSystemTray(Action(kCmdShowHide), Action(kCmdToggleScheduling), Action(kCmdAbout),
                             Action(kCmdStopSound), m_app.GetTrayHost(), this);
    // Once the tray's event has returned: showing may ask for the password.
    connect(
        m_tray, &CSystemTray::doubleClicked, this,
        [this] {
            OnShowHide();
            if (isVisible()) activateWindow();
        },
        Qt::QueuedConnection);
    connect(m_tray, &CSystemTray::hostChanged, this, &CMainFrame::FollowTrayHost);
    connect(&m_doc, &CTidewellDoc::listReset, m_view, &CTidewellView::ResetRows);
    connect(&m_doc, &CTidewellDoc::rowsChanged, m_view, [this] { m_view->FillTRList(-1); });
    connect(&m_doc, &CTidewellDoc::modifiedChanged, this, [this] { UpdateCommandStates(); });
    connect(m_view, &CTidewellView::selectionChangedTo, this, [this] { UpdateCommandStates(); });
    connect(&m_app, &CTidewellApp::schedulingChanged, this, [this] {
        RefreshCaption();
        UpdateCommandStates();
    });
    m_tick = new QTimer(this);
    m_tick->setSingleShot(true);
    m_tick->setTimerType(Qt::PreciseTimer);
    connect(m_tick, &QTimer::timeout, this, &CMainFrame::Tick);
    RefreshCaption();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    m_app.SetAutoStartEntry();
}

QAction* CMainFrame::Action(CommandId id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::CreateActions() {
    static const std::map<CommandId, Handler> handlers{
        {kCmdToggleScheduling, &CMainFrame::OnToggleScheduling},
        {kCmdSave, &CMainFrame::OnSave},
        {kCmdRunInBackground, &CMainFrame::OnRunInBackground},
        {kCmdExitCompletely, &CMainFrame::OnExitCompletely},
        {kCmdRunNow, &CMainFrame::OnRunNow},
        {kCmdAddTask, &CMainFrame::OnAddTask},
        {kCmdCopyTask, &CMainFrame::OnCopyTask},
        {kCmdDeleteTask, &CMainFrame::OnDeleteTask},
        {kCmdEditTask, &CMainFrame::OnEditTask},
        {kCmdFind, &CMainFrame::OnFind},
        {kCmdFindNext, &CMainFrame::OnFindNext},
        {kCmdToggleEnabled, &CMainFrame::OnToggleEnabled},
        {kCmdPauseCountDown, &CMainFrame::OnPauseCountDown},
        {kCmdClearCountDown, &CMainFrame::OnClearCountDown},
        {kCmdToolbar, &CMainFrame::OnToolbar},
        {kCmdStatusBar, &CMainFrame::OnStatusBar},
        {kCmdViewLog, &CMainFrame::OnViewLog},
        {kCmdQuickView, &CMainFrame::OnQuickView},
        {kCmdClockSynchronization, &CMainFrame::OnClockSynchronization},
        {kCmdStatistics, &CMainFrame::OnStatistics},
        {kCmdOptions, &CMainFrame::OnOptions},
        {kCmdMute, &CMainFrame::OnMute},
        {kCmdStopSound, &CMainFrame::OnStopSound},
        {kCmdHelp, &CMainFrame::OnHelp},
        {kCmdAutoUpdate, &CMainFrame::OnAutoUpdate},
        {kCmdHomepage, &CMainFrame::OnHomepage},
        {kCmdCheckUpdate, &CMainFrame::OnCheckUpdate},
        {kCmdAbout, &CMainFrame::OnAbout},
        {kCmdShowHide, &CMainFrame::OnShowHide},
    };
    const std::string product = m_app.ProductName();
    for (const CommandInfo& command : CommandTable()) {
        auto* action = new QAction(MessageText(command.textId, product), this);
        action->setObjectName(command.objectName);
        if (*command.shortcut != '\0')
            action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
        action->setIcon(CommandIcon(command.id, style()));
        if (command.promptId != 0) {
            const CommandPrompt prompt = SplitCommandPrompt(LoadMessage(command.promptId));
            action->setStatusTip(ToQString(prompt.status));
            action->setToolTip(ToQString(Utf8Prefix(prompt.toolTip, 79)));
            action->setIconText(ToQString(prompt.toolTip));
        }
        const Handler handler = handlers.at(command.id);
        connect(action, &QAction::triggered, this, [this, handler] {
            (this->*handler)();
            UpdateCommandStates();
        });
        addAction(action);  // its shortcut works while the window is active
        m_actions[command.id] = action;
    }
    for (CommandId checkable : {kCmdMute, kCmdToolbar, kCmdStatusBar}) Action(checkable)->setCheckable(true);
    // A menu draws a checked icon as a pressed icon, without a mark: the menu shows the mark.
    Action(kCmdMute)->setIconVisibleInMenu(false);
}

void CMainFrame::CreateMenus() {
    const std::array<MenuItems, 7> menus{{
        {IDS_MENU_MAIN_FILE_F,
         {kCmdToggleScheduling, kCmdSave, kSeparator, kCmdRunInBackground, kCmdExitCompletely}},
        {IDS_TIDEWELL_MENU_SCHEDULE_S,
         {kCmdRunNow, kSeparator, kCmdAddTask, kCmdCopyTask, kCmdDeleteTask, kCmdEditTask, kSeparator,
          kCmdFind, kCmdFindNext, kSeparator, kCmdToggleEnabled, kCmdPauseCountDown, kCmdClearCountDown}},
        {IDS_TIDEWELL_MENU_VIEW_V, {kCmdToolbar, kCmdStatusBar, kSeparator, kCmdQuickView, kCmdViewLog}},
        {IDS_TIDEWELL_MENU_TIME_SERVICES_M, {kCmdClockSynchronization}},
        {IDS_TIDEWELL_MENU_TOOLS_T, {kCmdStatistics, kCmdOptions}},
        {IDS_TIDEWELL_MENU_SOUND_S, {kCmdMute, kCmdStopSound}},
        {IDS_MENU_HELP_H, {kCmdHelp, kSeparator, kCmdAbout}},
    }};
    menuBar()->setObjectName("menuBar");
    for (const MenuItems& items : menus) {
        QMenu* menu = menuBar()->addMenu(MessageText(items.titleId));
        menu->setObjectName(QStringLiteral("menu%1").arg(items.titleId));
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
        for (CommandId id : items.commands) {
            if (id == kSeparator) {
                menu->addSeparator();
            } else {
                menu->addAction(Action(id));
            }
        }
        if (items.titleId == IDS_MENU_HELP_H) {
            QMenu* update = new QMenu(MessageText(IDS_MENU_HELP_PRODUCT_UPDATE_U), menu);
            update->setObjectName("menuProductUpdate");
            update->addActions({Action(kCmdAutoUpdate), Action(kCmdHomepage), Action(kCmdCheckUpdate)});
            // A build that names no home page offers no address that does not exist.
            Action(kCmdHomepage)->setVisible(!m_app.Homepage().empty());
            menu->insertMenu(Action(kCmdAbout), update);
            menu->insertSeparator(Action(kCmdAbout));
        }
    }
}

void CMainFrame::CreateToolBar() {
    m_toolBar = addToolBar(QString());
    m_toolBar->setObjectName("toolBar");
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const CommandId items[] = {
        kCmdToggleScheduling, kCmdSave,       kSeparator,    kCmdRunNow, kCmdAddTask, kCmdCopyTask,
        kCmdEditTask,         kCmdDeleteTask, kSeparator,    kCmdFind,   kSeparator,  kCmdStatistics,
        kCmdOptions,          kSeparator,     kCmdStopSound, kSeparator, kCmdHelp};
    for (CommandId id : items) {
        if (id == kSeparator) {
            m_toolBar->addSeparator();
        } else {
            m_toolBar->addAction(Action(id));
        }
    }
    Action(kCmdToolbar)->setChecked(true);
}

void CMainFrame::CreateStatusBar() {
    statusBar()->setObjectName("statusBar");
    m_idleLabel = new QLabel(MessageText(IDS_STRING_AI_IDLEMESSAGE), this);
    m_idleLabel->setObjectName("statusIdleText");
    statusBar()->addWidget(m_idleLabel, 1);
    Action(kCmdStatusBar)->setChecked(true);
}

void CMainFrame::InitialUpdate() {
    m_view->SetUpColumns(m_screenWidth);
    m_view->Model().SetDescriptionOptions(m_app.DescriptionStyle());
    m_view->ResetRows();
    ScheduleTick();
    if (m_app.IsRunning()) {
        // The catch-up pass comes a second after start-up, from the event loop.
        QTimer::singleShot(kAtLogonDelayMs, this, [this] { m_operations.CheckAtLogonJob(m_doc.Tasks()); });
    }
    QTimer::singleShot(kReleaseNoteDelayMs, this, [this] {
        char name[64];
        std::snprintf(name, sizeof name, app_keys::kReleaseNoteFormat, ProductVersionNumber().c_str());
        SettingsPort& settings = m_app.Settings();
        if (settings.ReadSettingString(app_keys::kRootAppSection, name, {}) != app_keys::kReleaseNoteShown &&
            !settings.WriteSettingString(app_keys::kRootAppSection, name, app_keys::kReleaseNoteShown)) {
            // Not stored: the store has told the user once, and the choice holds in memory until exit.
        }
    });
}

void CMainFrame::ScheduleTick() {
    const qint64 intoSecond = QDateTime::currentMSecsSinceEpoch() % kSecondMs;
    m_tick->start(static_cast<int>(kSecondMs - intoSecond) + kTickMarginMs);
}

void CMainFrame::Tick() {
    ScheduleTick();
    if (m_doc.FileInUseElsewhere()) {
        // Caught up as soon as the other writer lets go, not only at the next save.
        const MessageBoxService::CallbackScope tick(m_messageBox);
        m_doc.HoldFile();
    }
    m_operations.CheckDueTasks(m_doc.Tasks());
    if (IsOnScreen()) m_view->Model().RefreshTimedCells();
}

void CMainFrame::RefreshCaption() {
    const QString caption = ToQString(m_app.Caption());
    setWindowTitle(caption);
    m_tray->SetToolTip(caption);
}

void CMainFrame::SetStateText(CommandId id, bool on) {
    const CommandStateTexts texts = StateTextsOf(id);
    QAction* action = Action(id);
    action->setText(MessageText(on ? texts.textOn : texts.textOff, m_app.ProductName()));
    const int32_t promptId = on ? texts.promptOn : texts.promptOff;
    if (promptId == 0) return;
    const CommandPrompt prompt = SplitCommandPrompt(LoadMessage(promptId));
    action->setStatusTip(ToQString(prompt.status));
    action->setToolTip(ToQString(Utf8Prefix(prompt.toolTip, 79)));
    action->setIconText(ToQString(prompt.toolTip));
}

void CMainFrame::UpdateCommandStates() {
    SetStateText(kCmdToggleScheduling, m_app.IsRunning());
    Action(kCmdToggleScheduling)
        ->setIcon(style()->standardIcon(m_app.IsRunning() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    const std::optional<size_t> selected = SelectedTask();
    const TaskRecord* task = selected ? &m_doc.Tasks()[*selected] : nullptr;
    // Commands on the selected task wait for one; the count-down ones for a count-down.
    for (CommandId id : {kCmdRunNow, kCmdCopyTask, kCmdDeleteTask, kCmdEditTask, kCmdToggleEnabled})
        Action(id)->setEnabled(task != nullptr);
    const bool countDown = task != nullptr && task->scheduleInfo.type == ScheduleType::countDown;
    for (CommandId id : {kCmdPauseCountDown, kCmdClearCountDown}) Action(id)->setEnabled(countDown);
    SetStateText(kCmdToggleEnabled, task == nullptr || task->enabled);
    SetStateText(kCmdPauseCountDown, task == nullptr || task->scheduleInfo.countDownRunning);
    SetStateText(kCmdShowHide, isVisible());
    Action(kCmdSave)->setEnabled(m_doc.IsModified());
    Action(kCmdMute)->setChecked(m_app.IsMute());
    Action(kCmdAutoUpdate)
        ->setText(QStringLiteral("%1 (%2)").arg(
            MessageText(IDS_DIALOG_LVUD_CAPTION),
            MessageText(m_app.AutoUpdate() ? IDS_KLN_ENABLED : IDS_KLN_NOT_ENABLED)));
}

std::optional<size_t> CMainFrame::SelectedTask() const {
    return m_view->SelectedIndex();
}

void CMainFrame::ShowMessage(const std::string& text, unsigned style) {
    m_messageBox.ShowMessageBox(text, m_app.ProductName(), style);
}

bool CMainFrame::SaveAsked() {
    if (m_doc.IsFileLeft()) {
        const std::string question =
            ReplaceAll(LoadMessage(IDS_MESSAGE_PROMPT_REPLACE_UNREAD_FILE), "#1", m_doc.ScheduleFile());
        if (m_messageBox.ShowMessageBox(question, m_app.ProductName(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
            return false;
        }
        m_doc.ReplaceLeftFile();
    }
    return m_doc.Save();
}

bool CMainFrame::AskSaveChanges() {
    if (!m_doc.IsModified()) return true;
    switch (m_messageBox.ShowMessageBox(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_SAVE), m_app.ProductName(),
                                        MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: return SaveAsked();
        case IDNO: m_doc.Load(); return true;
        default: return false;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_app.HasEnded()) {
        event->accept();
        return;
    }
    event->ignore();
    if (AskSaveChanges()) PutAway();
}

void CMainFrame::PutAway() {
    // Hidden, the window comes back only through the tray icon or a second start.
    if (m_tray->HostAvailable()) {
        hide();
    } else {
        showMinimized();
    }
}

void CMainFrame::FollowTrayHost(bool available) {
    // Without a tray a hidden window is out of reach; behind a password a second start asks.
    if (!available && isHidden() && !m_app.Password().IsSet()) showMinimized();
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    SetStateText(kCmdShowHide, true);
}

void CMainFrame::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    SetStateText(kCmdShowHide, false);
}

void CMainFrame::AutoRestartScheduling(const std::string& message) {
    if (m_app.IsRunning()) return;
    const DateTime now = m_app.GetClock().Now();
    for (const TaskRecord& task : m_doc.Tasks()) {
        if (IsPlaceholderTask(task) || !HasComingRun(now, task)) continue;
        if (m_app.ToggleScheduling(false)) ShowMessage(message, MB_OK | MB_ICONINFORMATION);
        return;
    }
}

void CMainFrame::EnableOrDisable(size_t index) {
    const bool enabled = m_doc.ToggleEnabled(index, m_app.AutoSave());
    m_operations.LogEvent(&m_doc.Tasks()[index], EventKind::taskEnabledOrDisabled);
    if (enabled) AutoRestartScheduling(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEWLY_ENABLED_TASK));
}

}  // namespace tidewell
