#include "app/program/tidewell_app.h"

#include <unistd.h>

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/dialogs/password_dialog.h"
#include "app/main_window/frame_operations.h"
#include "app/main_window/main_frame.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tray_host.h"
#include "app/program/command_launcher.h"
#include "app/program/control_service.h"
#include "app/program/display_probe.h"
#include "app/program/program_operations.h"
#include "app/program/single_instance.h"
#include "app/program/start_string.h"
#include "app/windows/message_box_dialog.h"
#include "base/text_util.h"
#include "config/admin_password.h"
#include "config/autostart_entry.h"
#include "config/data_directories.h"
#include "config/language_shell_files.h"
#include "config/quick_view_store.h"
#include "files/durable_file.h"
#include "platform/linux_launcher.h"
#include "platform/system_clock.h"
#include "runtime/debug_log.h"
#include "runtime/log_line.h"
#include "store/registry_store.h"
#include "text/font_charset.h"
#include "text/language.h"
#include "text/message_table.h"
#include "text/messages.h"
#include "text/system_locale.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

Q_LOGGING_CATEGORY(lcApp, "tidewell.app")

// Where the start-up's trace lines say they come from.
constexpr std::string_view kInitInstanceTrace = "InitInstance";

// The double a test gave, else one of the program's own kept in `own`.
template <typename Own, typename T, typename Holder>
T* Choose(T* given, std::unique_ptr<Holder>& own) {
    if (given != nullptr) return given;
    auto made = std::make_unique<Own>();
    T* chosen = made.get();
    own = std::move(made);
    return chosen;
}

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

CTidewellApp::CTidewellApp(AppStartOptions options, QObject* parent)
    : QObject(parent), m_options(std::move(options)), m_random(std::make_unique<StandardRandomSource>()) {
    m_messageBox = Choose<QtMessageBox>(m_options.messageBox, m_ownMessageBox);
    m_passwordPrompt = Choose<QtPasswordPrompt>(m_options.passwordPrompt, m_ownPasswordPrompt);
    if (m_options.operations == nullptr) m_ownOperations = std::make_unique<ProgramOperations>(*this);
    m_operations = m_options.operations != nullptr ? m_options.operations : m_ownOperations.get();
    m_launcher = Choose<LinuxLauncher>(m_options.launcher, m_ownLauncher);
    m_clock = Choose<SystemClock>(m_options.clock, m_ownClock);
    m_commandLauncher = std::make_unique<CommandLauncher>(*m_launcher, *m_messageBox);
}

CTidewellApp::~CTidewellApp() {
    // The scheduling side points at the frame and the document: it goes first.
    if (m_ownOperations) m_ownOperations->StopRuntime();
    m_control.reset();
    m_frame.reset();
    m_doc.reset();
    m_ownTrayHost.reset();
}

bool CTidewellApp::InitInstance() {
    ::clock_gettime(CLOCK_REALTIME, &m_startedAt);
    const std::optional<std::string> startString = StartStringFromArguments(m_options.arguments);
    if (!startString) return false;
    m_strStartString = *startString;
    MessageCount();
    m_locations = BuildLocations(m_options.environment, DirectoryOf(m_options.programPath));
    m_debugLog = std::make_unique<DebugLog>(m_locations.ProgramDataDir(),
                                            DebugSwitchPresent(m_locations.programDir), *m_clock);
    m_settings =
        std::make_unique<RegistryStore>(m_locations.UserSettingsDir(ProductVersionNumber()), m_messageBox);
    if (!InitData()) return false;
    // The data folders exist from here on: the trace can be written.
    Trace(kLogBlankMarker);
    Trace(kLogProgramStartMarker);
    Trace("Before CheckSingleInstance()");
    if (!CheckSingleInstance()) return false;
    Trace("if(theApp.m_strStartString ==autoload)");
    if (!IsAutoload() && !AskAdministratorPassword({})) return false;
    m_productSettings = std::make_unique<RegistryStore>(m_locations.ProductSettingsDir(), m_messageBox);
    m_userData = std::make_unique<UserDataDirectory>(m_locations, *m_productSettings);
    if (!m_userData->CheckSet()) {
        m_messageBox->ShowMessageBox(
            ReplaceAll(LoadMessage(IDS_ERROR_FILE_CAN_NOT_CREATE_DIR), "#1", m_userData->Default()),
            ProductName(), MB_OK | MB_ICONHAND);
        return false;
    }
    Trace("Before CreateFrame()");
    const bool created = CreateFrame();
    Trace("return TRUE;");
    return created;
}

void CTidewellApp::Trace(std::string_view message) const {
    m_debugLog->DebugTrace(kInitInstanceTrace, message);
}

bool CTidewellApp::InitData() {
    LanguageShellFiles shells(m_locations.LanguageDirs());
    LanguageChoiceInput input;
    input.programDir = m_locations.programDir;
    const int stored = m_settings->ReadSettingInt(kShellSettingSection, kShellSettingLcid, -1);
    if (stored != -1) input.settingLcid = stored;
    input.systemLcid = m_options.systemLanguage.value_or(SystemLanguageId());
    input.shells = &shells;
    const LanguageChoice choice = ChooseLanguage(input);
    SetLanguage(choice);
    m_nLCID = choice.lcid;

    if (Result folders = InitDataFolders(m_locations); !folders) {
        m_messageBox->ShowMessageBox(folders.message(), ProductName(), MB_OK | MB_ICONHAND);
        return false;
    }
    if (Result seeded = SeedBaseConfiguration(m_locations); !seeded) {
        m_messageBox->ShowMessageBox(seeded.message(), ProductName(), MB_OK | MB_ICONEXCLAMATION);
    }
    CleanTemporaryFiles(m_locations);
    if (!CheckFirstRun()) return false;
    ReadSettings();
    m_adminPassword = std::make_unique<AdminPassword>(*m_messageBox);
    // A missing password file means no password; one that cannot be read keeps the program shut.
    if (Result password = m_adminPassword->ReadPasswordFile(m_locations.PasswordFilePath()); !password) {
        m_messageBox->ShowMessageBox(password.message(), ProductName(), MB_OK | MB_ICONHAND);
        m_startFailureStatus = 1;
        return false;
    }
    return true;
}

bool CTidewellApp::CheckFirstRun() {
    // The machine-wide root is not the user's to repair: it reports nothing. Every user reads it.
    RegistryStore machine(m_locations.MachineSettingsDir(ProductVersionNumber()), nullptr,
                          RegistryAccess::Shared);
    const bool done = machine.ReadSettingString(app_keys::kRootAppSection, app_keys::kFirstRun, {}) ==
                      app_keys::kFirstRunDone;
    if (!done && !m_options.administrator) {
        m_messageBox->ShowMessageBox(LoadMessage(IDS_MESSAGE_PROMPT_ADMIN_REQUIRED_FOR_FIRST_RUN),
                                     ProductName(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // An administrator's start records the first run, and makes a file an earlier version kept
    // private readable again.
    if (m_options.administrator && !machine.WriteSettingString(app_keys::kRootAppSection, app_keys::kFirstRun,
                                                               app_keys::kFirstRunDone)) {
        // Most administrators cannot write the machine folder: nobody is told, the next
        // administrator's start tries again, and nothing else depends on the value.
    }
    return true;
}

void CTidewellApp::ReadSettings() {
    using namespace app_keys;
    SettingsPort& settings = *m_settings;
    if (settings.ReadSettingInt(kAppSection, kRunCode, 0) == 0) {
        m_bRunning = true;
        SetAutoStartEntry();
        m_bAutoSave = true;
        const Result written = FirstFailure({settings.WriteSettingInt(kAppSection, kRunCode, 1),
                                             settings.WriteSettingInt(kConfigSection, kAutoSave, 1)});
        // Told by the store; the next start counts as a first one again.
        if (!written) qCWarning(lcApp, "%s", written.message().c_str());
    } else {
        m_bRunning = settings.ReadSettingInt(kAppSection, kScheduling, 1) == 1;
        m_bAutoSave = settings.ReadSettingInt(kConfigSection, kAutoSave, 1) == 1;
    }
    m_bMute = settings.ReadSettingInt(kSoundSection, kMute, 0) == 1;
    m_bAutoUpdate = settings.ReadSettingInt(kUpdateSection, kAutoUpdate, 1) != 0;
    m_bYearlySummaryUseRange = settings.ReadSettingInt(kScheduleSection, kYearlySummaryUseRange, 1) != 0;
    const int format = settings.ReadSettingInt(kScheduleSection, kYearlySummaryMonthFormat, 0);
    m_nYearlySummaryMonthFormat = format == 0 || format == 1 ? format : 0;
}

bool CTidewellApp::CheckSingleInstance() {
    // In the program's own data folder: whatever the session's environment says, two starts that
    // would share the list and the settings find each other.
    m_instance = std::make_unique<SingleInstance>(InstancePath(m_locations.TempDir(), getuid()));
    switch (m_instance->Acquire()) {
        case SingleInstance::Outcome::first: break;
        case SingleInstance::Outcome::other:
            // The running instance asks the password itself when its window is hidden.
            if (!IsAutoload() && !SingleInstance::Send(m_instance->Path(), kShowRequest)) {
                m_messageBox->ShowMessageBox(LoadMessage(IDS_ERROR_INSTANCE_DID_NOT_ANSWER, ProductName()),
                                             ProductName(), MB_OK | MB_ICONHAND);
                m_startFailureStatus = 1;
            }
            return false;
        case SingleInstance::Outcome::failed:
            m_messageBox->ShowMessageBox(LoadMessage(IDS_ERROR_INSTALL_REGISTRY_ERROR), ProductName(),
                                         MB_OK | MB_ICONHAND);
            return false;
    }
    // Handled once the socket's read handler has returned: the password prompt is modal, and the
    // other start may close its connection meanwhile.
    connect(m_instance.get(), &SingleInstance::showRequested, this, &CTidewellApp::OnShowRequest,
            Qt::QueuedConnection);
    connect(m_instance.get(), &SingleInstance::messageReceived, this, &CTidewellApp::OnInstanceMessage,
            Qt::QueuedConnection);
    return true;
}

bool CTidewellApp::CreateFrame() {
    ScheduleStoreContext context{*m_clock, *m_random, *m_settings, *m_messageBox,
                                 m_adminPassword->Password()};
    m_doc = std::make_unique<CTidewellDoc>(context, m_userData->ScheduleFile());
    m_trayHost = m_options.trayHost;
    if (m_trayHost == nullptr) {
        std::optional<QDBusConnection> bus;
        if (m_options.sessionBus) bus = QDBusConnection::sessionBus();
        m_ownTrayHost =
            std::make_unique<StatusNotifierTrayHost>(bus, &QSystemTrayIcon::isSystemTrayAvailable);
        m_trayHost = m_ownTrayHost.get();
    }
    const int charSet = FontCharSetFor(m_nLCID);
    const bool cjk = charSet == kGb2312CharSet || charSet == kChineseBig5CharSet;
    int screenWidth = m_options.screenWidth.value_or(0);
    if (screenWidth == 0 && QGuiApplication::primaryScreen() != nullptr) {
        screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    }
    m_frame = std::make_unique<CMainFrame>(*this, *m_doc, cjk, screenWidth);
    if (m_ownOperations) m_ownOperations->StartRuntime(*m_doc, *m_frame);
    RemoveInterruptedSaves();
    m_doc->Load();
    m_frame->InitialUpdate();
    if (m_options.sessionBus) {
        // Scripts reach the program through it; without a session bus the windows still work.
        m_control = std::make_unique<ControlService>(*this);
        if (!m_control->Register()) m_control.reset();
    }
    if (QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
        // The size it keeps where no window manager maximizes it.
        m_frame->resize(screen->availableGeometry().size());
    }
    if (IsAutoload()) {
        m_frame->hide();
    } else {
        m_frame->showMaximized();
    }
    return true;
}

void CTidewellApp::RemoveInterruptedSaves() const {
    const std::string files[] = {m_userData->ScheduleFile(), QuickViewFilePath(m_userData->Path()),
                                 m_settings->FilePath(), m_productSettings->FilePath(),
                                 m_locations.PasswordFilePath()};
    for (const std::string& file : files) RemoveStaleStagedFiles(file, m_startedAt);
}

bool CTidewellApp::IsAutoload() const {
    return m_strStartString == kAutoloadArgument;
}

Launcher& CTidewellApp::GetCommandLauncher() {
    return *m_commandLauncher;
}

SettingsPort& CTidewellApp::Settings() {
    return *m_settings;
}

void CTidewellApp::SetMute(bool mute) {
    m_bMute = mute;
    if (const Result written =
            m_settings->WriteSettingInt(app_keys::kSoundSection, app_keys::kMute, mute ? 1 : 0);
        !written) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
        qCWarning(lcApp, "%s", written.message().c_str());
    }
}

ProgramOptions CTidewellApp::Options() const {
    ProgramOptions options = ReadProgramOptions(*m_settings);
    options.autoSave = m_bAutoSave;
    options.autoUpdate = m_bAutoUpdate;
    options.yearlySummaryUseRange = m_bYearlySummaryUseRange;
    options.yearlySummaryMonthFormat = m_nYearlySummaryMonthFormat;
    return options;
}

void CTidewellApp::SetOptions(const ProgramOptions& options) {
    m_bAutoSave = options.autoSave;
    m_bAutoUpdate = options.autoUpdate;
    m_bYearlySummaryUseRange = options.yearlySummaryUseRange;
    m_nYearlySummaryMonthFormat = options.yearlySummaryMonthFormat;
    if (const Result written = WriteProgramOptions(*m_settings, options); !written) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
        qCWarning(lcApp, "%s", written.message().c_str());
    }
}

void CTidewellApp::SetAutoUpdate(bool enabled) {
    m_bAutoUpdate = enabled;
    if (const Result written =
            m_settings->WriteSettingInt(app_keys::kUpdateSection, app_keys::kAutoUpdate, enabled ? 1 : 0);
        !written) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
        qCWarning(lcApp, "%s", written.message().c_str());
    }
}

std::string CTidewellApp::ProductName() const {
    return LoadMessage(IDS_KLN_TIDEWELL);
}

std::string CTidewellApp::Caption() const {
    return ProductName() + " - " + LoadMessage(m_bRunning ? IDS_KLN_RUNNING : IDS_KLN_DISABLED);
}

bool CTidewellApp::AskAdministratorPassword(std::string_view prompt) {
    return m_adminPassword->CheckAdminPassword(prompt, *m_passwordPrompt);
}

void CTidewellApp::SetAutoStartEntry() {
    const Result written =
        WriteAutostartEntry(AutostartEntryPath(m_locations), m_options.programPath, m_bRunning);
    if (!written) qCWarning(lcApp, "%s", written.message().c_str());
}

bool CTidewellApp::ToggleScheduling(bool skipPassword) {
    if (!skipPassword && m_frame != nullptr && m_frame->isHidden() && !AskAdministratorPassword({}))
        return false;
    m_bRunning = !m_bRunning;
    if (const Result written =
            m_settings->WriteSettingInt(app_keys::kAppSection, app_keys::kScheduling, m_bRunning ? 1 : 0);
        !written) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
        qCWarning(lcApp, "%s", written.message().c_str());
    }
    m_operations->LogEvent(nullptr, EventKind::schedulingSwitched);
    SetAutoStartEntry();
    emit schedulingChanged(m_bRunning);
    return true;
}

bool CTidewellApp::ExitCompletely() {
    const std::string product = ProductName();
    if (m_messageBox->ShowMessageBox(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_EXIT_COMPLETELY, product),
                                     product, MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    if (!AskAdministratorPassword(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_PASSWORD))) return false;
    // Unsaved changes are not dropped on the way out.
    if (m_frame != nullptr && !m_frame->AskSaveChanges()) return false;
    m_bRunning = false;
    if (const Result written = m_settings->WriteSettingInt(app_keys::kAppSection, app_keys::kScheduling, 0);
        !written) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
        qCWarning(lcApp, "%s", written.message().c_str());
    }
    m_operations->LogEvent(nullptr, EventKind::schedulingSwitched);
    SetAutoStartEntry();
    emit schedulingChanged(false);
    End();
    return true;
}

void CTidewellApp::End() {
    if (m_ended) return;
    m_ended = true;
    Trace(kLogProgramEndMarker);
    if (m_frame != nullptr) m_frame->hide();
    // The frame goes once the command or request that ended the program has returned.
    QTimer::singleShot(0, this, [this] {
        m_control.reset();  // the name leaves the bus with the program
        m_frame.reset();    // its end rewrites the logon start entry
        m_instance.reset();
        emit ended();
    });
}

void CTidewellApp::OnShowRequest() {
    if (m_frame == nullptr) return;
    if (m_frame->isHidden()) {
        if (!AskAdministratorPassword({})) return;
        m_frame->showMaximized();
    } else if (m_frame->isMinimized()) {
        m_frame->showMaximized();
    }
    m_frame->show();
    m_frame->raise();
    m_frame->activateWindow();
}

void CTidewellApp::OnInstanceMessage(const InstanceMessage& message) {
    if (message.id != kCloseRequestMessage || message.wParam != kCloseRequestWParam ||
        message.lParam != kCloseRequestLParam) {
        return;
    }
    // The program is asked to make way for an update: the list is saved, nothing is asked.
    if (m_doc != nullptr && m_doc->IsModified()) m_doc->Save();  // a failure is shown
    End();
}

}  // namespace tidewell
