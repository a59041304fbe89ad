#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/result.h"
#include "config/locations.h"
#include "platform/settings_port.h"

namespace tidewell {

// The user data directory is remembered as the unnamed value of this key of the product's
// settings (Locations::ProductSettingsDir), shared by every version.
inline constexpr std::string_view kUserDataDirectorySection = "User Data Directory";
inline constexpr std::string_view kUserDataDirectoryValue = "";

// Default user data directory: <documents>/Verimont User Data/Ostrel (TidewellPE in the
// edition without macros), else "Tidewell (1)" to "Tidewell (5)" below the same base.
inline constexpr std::string_view kUserDataBaseFolder = "Verimont User Data";
inline constexpr std::string_view kUserDataFolder = "Ostrel";
inline constexpr std::string_view kUserDataFolderPe = "TidewellPE";
inline constexpr const char* kNumberedUserDataFolderFormat = "Tidewell (%d)";
inline constexpr int kNumberedUserDataFolders = 5;

// Leftover scratch files of the temporary folder carry this extension.
inline constexpr std::string_view kTemporaryFileExtension = ".tps";

// Creates the program data directory with its config and log folders and the private
// temporary folder (mode 0700, not a link).
Result InitDataFolders(const Locations& locations);
// Copies the base configuration file into the config folder when it is missing there (never
// replacing one; a missing original is no error). The file only seeds the folder: a failure is
// for the user to hear, and the program runs the same.
Result SeedBaseConfiguration(const Locations& locations);

// Removes every file of the temporary folder whose name ends in ".tps" (any letter case);
// returns how many went. Folders and other files stay.
std::size_t CleanTemporaryFiles(const Locations& locations);

// Checks a candidate user data directory, in this order:
//  1. an absolute path without control characters whose folders can be created (no part of it
//     is an existing file, no name longer than the file system allows);
//  2. not the filesystem root;
//  3. not the program data directory or inside it (letter case ignored, links resolved);
//  4. if something exists there, a folder;
//  5. outside the documents folder it is accepted, with the warning below.
Result ValidateUserDataDirectory(std::string_view path, const Locations& locations);
// The write-permission warning of a directory outside the documents folder; empty inside it.
std::string UserDataDirectoryWarning(std::string_view path, const Locations& locations);

// The first default candidate that is free or a folder; empty when none is.
std::string DefaultUserDataDirectory(const Locations& locations, bool peEdition = false);

// The user data directory of this run and the schedule file in it.
class UserDataDirectory {
public:
    // `productSettings` is the product's settings root, where the directory is remembered.
    UserDataDirectory(const Locations& locations, SettingsPort& productSettings, bool peEdition = false);

    // Takes the remembered directory when it passes the checks, creating it when missing.
    bool Load();
    // Checks, creates when missing, makes current and remembers the directory; a refusal
    // changes nothing.
    Result Set(std::string_view path);
    // Start-up: the remembered directory, else the default one. False leaves it to the user
    // to choose one.
    bool CheckSet();
    std::string Default() const { return DefaultUserDataDirectory(m_locations, m_peEdition); }

    // Empty until a directory is current.
    const std::string& Path() const { return m_path; }
    const std::string& ScheduleFile() const { return m_scheduleFile; }

private:
    Result Take(std::string_view path);

    const Locations m_locations;
    SettingsPort& m_settings;
    const bool m_peEdition;
    std::string m_path;
    std::string m_scheduleFile;
};

}  // namespace tidewell
