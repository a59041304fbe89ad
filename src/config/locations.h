#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "files/paths.h"

namespace tidewell {

// The environment variables locations are built from; tests pass a map of their own.
using Environment = std::map<std::string, std::string, std::less<>>;

inline constexpr std::string_view kHomeVariable = "HOME";
inline constexpr std::string_view kConfigHomeVariable = "XDG_CONFIG_HOME";
inline constexpr std::string_view kDataHomeVariable = "XDG_DATA_HOME";
// The folder below which the machine-wide settings root lives (default kDefaultMachineConfigDir).
inline constexpr std::string_view kMachineConfigVariable = "TIDEWELL_MACHINE_CONFIG_DIR";
inline constexpr std::string_view kDefaultMachineConfigDir = "/etc/xdg";
inline constexpr std::string_view kDefaultConfigHome = ".config";         // below HOME
inline constexpr std::string_view kDefaultDataHome = ".local/share";      // below HOME
inline constexpr std::string_view kDefaultDocumentsFolder = "Documents";  // below HOME
// The documents folder as the desktop names it: XDG_DOCUMENTS_DIR="$HOME/..." in this file of
// the config home.
inline constexpr std::string_view kUserDirsFileName = "user-dirs.dirs";
inline constexpr std::string_view kUserDirsDocumentsKey = "XDG_DOCUMENTS_DIR";
inline constexpr std::string_view kUserDirsHomeReference = "$HOME";

inline constexpr std::string_view kInstalledDataFolder = "share/tidewell";  // below the prefix
inline constexpr std::string_view kConfigFolderName = "config";
inline constexpr std::string_view kLogFolderName = "log";
inline constexpr std::string_view kTempFolderName = "temp";
inline constexpr std::string_view kBaseConfigFileName = "configbase.ini";
inline constexpr std::string_view kScheduleFileName = "schedule.rws";

// Every place the program keeps or finds files, built once from the environment.
//
// Base folders follow the XDG rules: a variable that is unset, empty or not an absolute path
// counts as unset and its default below HOME is used.
struct Locations {
    std::string home;
    std::string configHome;        // XDG_CONFIG_HOME, or ~/.config
    std::string dataHome;          // XDG_DATA_HOME, or ~/.local/share
    std::string documentsDir;      // XDG_DOCUMENTS_DIR of user-dirs.dirs, or ~/Documents
    std::string machineConfigDir;  // TIDEWELL_MACHINE_CONFIG_DIR, or /etc/xdg
    std::string programDir;        // folder of the running executable
    std::string installedDataDir;  // <prefix>/share/tidewell, prefix = folder above programDir
    // The program data directory is the program folder itself.
    bool portable = false;

    // <configHome>/Verimont/Tidewell: the key of the product, where the user data directory is
    // remembered for every version.
    std::string ProductSettingsDir() const;
    // <configHome>/Verimont/Tidewell/<version>: the root of the user's settings.
    std::string UserSettingsDir(std::string_view version) const;
    // <machineConfigDir>/Verimont/Tidewell/<version>: the machine-wide root ("First Run").
    std::string MachineSettingsDir(std::string_view version) const;

    // <dataHome>/Verimont/Tidewell, or the program folder in portable mode.
    std::string ProgramDataDir() const;
    std::string ConfigDir() const;
    std::string LogDir() const;
    // The program's private temporary folder (mode 0700); it stands in for the system's
    // temporary folder too.
    std::string TempDir() const;
    // The administrator password file (kPasswordFileName), read and written at this one place:
    // the file set through the options is the one checked at the next start.
    std::string PasswordFilePath() const;
    // The base configuration file in the config folder, and where its original is looked for:
    // the program folder's config folder, then the installed data folder's.
    std::string BaseConfigFilePath() const;
    std::vector<std::string> BaseConfigSources() const;
    // Folders holding language shell folders (kLanguageFolderName): the program folder's, then
    // the installed one.
    std::vector<std::string> LanguageDirs() const;
};

// The schedule file in a user data directory.
std::string ScheduleFilePath(std::string_view userDataDir);

// Builds the locations; reads the documents folder from <configHome>/user-dirs.dirs.
Locations BuildLocations(const Environment& environment, std::string programDir, bool portable = false);

// The documents folder that a user-dirs.dirs text names, or empty when it names none usable:
// the value must be quoted and be "$HOME", "$HOME/..." or an absolute path.
std::string DocumentsDirFromUserDirs(std::string_view text, std::string_view home);

// The variables BuildLocations reads, from this process; HOME from the user database when unset.
Environment ProcessEnvironment();

// The folder of the running executable; empty when it cannot be found.
std::string RunningProgramDir();

}  // namespace tidewell
