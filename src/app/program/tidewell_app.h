#pragma once

#include <QObject>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/locations.h"
#include "config/program_options.h"
#include "config/settings_keys.h"
#include "overview/description.h"

namespace tidewell {

class AdminPassword;
class CMainFrame;
class CTidewellDoc;
class CommandLauncher;
class ControlService;
class Clock;
class DebugLog;
class FrameOperations;
class Launcher;
class MessageBoxService;
class PasswordPrompt;
class ProgramOperations;
class RandomSource;
class RegistryStore;
class SettingsPort;
class SingleInstance;
class TrayHost;
class UserDataDirectory;
struct InstanceMessage;

// What the program is started with. The program takes everything from its process; tests
// pass temporary folders and recording doubles. A null double means the program's own.
struct AppStartOptions {
    std::vector<std::string> arguments;  // after the program name
    Environment environment;             // HOME, XDG_*, XDG_RUNTIME_DIR, ...
    std::string programPath;             // the executable, for the logon start entry
    bool administrator = false;          // uid 0 or a member of sudo, wheel or admin
    std::optional<int32_t> systemLanguage;
    std::optional<int> screenWidth;  // for the column widths; default: the primary screen's
    MessageBoxService* messageBox = nullptr;
    PasswordPrompt* passwordPrompt = nullptr;
    FrameOperations* operations = nullptr;
    Launcher* launcher = nullptr;
    const Clock* clock = nullptr;
    TrayHost* trayHost = nullptr;  // default: the session bus's tray host, else Qt's answer
    bool sessionBus = false;       // the control interface on the session bus: the program's, not the tests'
    std::string homepage;          // what Visit Homepage opens; empty: the build names none, no such command
};

// The program's life: the command line, one instance per user, the settings root, the first
// run, the language, the data folders, the administrator password, the frame, the scheduling
// switch and the logon start entry. Used on the user-interface thread only.
class CTidewellApp final : public QObject {
    Q_OBJECT

public:
    explicit CTidewellApp(AppStartOptions options, QObject* parent = nullptr);
    ~CTidewellApp() override;

    // Start-up; false when the program must end (any message has been shown).
    bool InitInstance();
    // What the process ends with after InitInstance was false: 1 when the start failed (the
    // running instance did not answer, the password file cannot be read), 0 otherwise.
    int StartFailureStatus() const { return m_startFailureStatus; }

    const std::string& StartString() const { return m_strStartString; }
    bool IsAutoload() const;
    bool IsRunning() const { return m_bRunning; }
    bool AutoSave() const { return m_bAutoSave; }
    bool IsMute() const { return m_bMute; }
    void SetMute(bool mute);
    bool AutoUpdate() const { return m_bAutoUpdate; }
    void SetAutoUpdate(bool enabled);
    bool YearlySummaryUseRange() const { return m_bYearlySummaryUseRange; }
    int YearlySummaryMonthFormat() const { return m_nYearlySummaryMonthFormat; }
    // How month lists read in descriptions, from the two settings above.
    DescriptionOptions DescriptionStyle() const {
        return {m_bYearlySummaryUseRange, m_nYearlySummaryMonthFormat};
    }
    // The options of the Options dialog, stored and mirrored in the members above.
    ProgramOptions Options() const;
    void SetOptions(const ProgramOptions& options);
    int32_t LanguageId() const { return m_nLCID; }

    SettingsPort& Settings();
    AdminPassword& Password() { return *m_adminPassword; }
    UserDataDirectory& UserData() { return *m_userData; }
    MessageBoxService& MessageBox() { return *m_messageBox; }
    FrameOperations& Operations() { return *m_operations; }
    Launcher& GetLauncher() { return *m_launcher; }
    // The launcher of the window's commands: a failure the opener shows later is told too.
    Launcher& GetCommandLauncher();
    const Clock& GetClock() const { return *m_clock; }
    TrayHost& GetTrayHost() { return *m_trayHost; }
    const Locations& GetLocations() const { return m_locations; }
    const std::string& Homepage() const { return m_options.homepage; }
    CMainFrame* MainFrame() { return m_frame.get(); }
    CTidewellDoc* Document() { return m_doc.get(); }
    SingleInstance* Instance() { return m_instance.get(); }
    // The developer's trace, written only when its switch file is there.
    const DebugLog& Debug() const { return *m_debugLog; }
    // "%s - %s": the product name and the scheduling state.
    std::string Caption() const;
    std::string ProductName() const;

    // True when no password is set or the right one was entered.
    bool AskAdministratorPassword(std::string_view prompt);
    // Writes the logon start entry from the scheduling state.
    void SetAutoStartEntry();
    // The scheduling switch; true when it was switched.
    bool ToggleScheduling(bool skipPassword);
    // Exit Completely, with its questions; true when the program ends.
    bool ExitCompletely();
    // Ends the program: the frame goes and `ended` is sent.
    void End();
    bool HasEnded() const { return m_ended; }

signals:
    void schedulingChanged(bool running);
    void ended();

private:
    bool InitData();
    bool CheckFirstRun();
    void ReadSettings();
    bool CheckSingleInstance();
    bool CreateFrame();
    // Removes the staged files that saves interrupted before this start left beside the files.
    void RemoveInterruptedSaves() const;
    void OnShowRequest();
    void OnInstanceMessage(const InstanceMessage& message);
    void Trace(std::string_view message) const;

    AppStartOptions m_options;
    timespec m_startedAt{};  // file times after it belong to saves of this run
    std::string m_strStartString;
    bool m_bRunning = true;
    bool m_bAutoSave = true;
    bool m_bMute = false;
    bool m_bAutoUpdate = true;
    bool m_bYearlySummaryUseRange = true;
    int m_nYearlySummaryMonthFormat = 0;
    int32_t m_nLCID = 0;
    bool m_ended = false;
    int m_startFailureStatus = 0;

    Locations m_locations;
    std::unique_ptr<MessageBoxService> m_ownMessageBox;
    std::unique_ptr<PasswordPrompt> m_ownPasswordPrompt;
    std::unique_ptr<ProgramOperations> m_ownOperations;
    std::unique_ptr<Launcher> m_ownLauncher;
    std::unique_ptr<Clock> m_ownClock;
    std::unique_ptr<TrayHost> m_ownTrayHost;
    std::unique_ptr<RandomSource> m_random;
    MessageBoxService* m_messageBox;
    PasswordPrompt* m_passwordPrompt;
    FrameOperations* m_operations;
    Launcher* m_launcher;
    const Clock* m_clock;
    TrayHost* m_trayHost = nullptr;
    std::unique_ptr<CommandLauncher> m_commandLauncher;
    std::unique_ptr<DebugLog> m_debugLog;
    std::unique_ptr<RegistryStore> m_settings;
    std::unique_ptr<RegistryStore> m_productSettings;
    std::unique_ptr<AdminPassword> m_adminPassword;
    std::unique_ptr<UserDataDirectory> m_userData;
    std::unique_ptr<SingleInstance> m_instance;
    std::unique_ptr<CTidewellDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<ControlService> m_control;
};

}  // namespace tidewell
