#pragma once

#include <string>

#include "overview/description.h"

namespace tidewell::cli {

// The user's own files, found from the environment as the program finds them: the settings
// below the configuration home and the user data directory they remember (else the default
// one in the documents folder). Only read, never created or changed.

// The user's qv.ini; empty when there is no user data directory to look in.
std::string UserQuickViewFile();

// The schedule file the program keeps in the user data directory; empty when there is none.
std::string UserScheduleFile();

// The administrator password file of the program.
std::string UserPasswordFile();

// The month-list options of the user's settings (ranges on, short names when unset).
DescriptionOptions UserDescriptionOptions();

}  // namespace tidewell::cli
