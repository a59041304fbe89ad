#pragma once

#include <string>
#include <string_view>

#include "base/result.h"
#include "crypto/protected_container.h"
#include "platform/sleeper.h"

namespace tidewell {

class MessageBoxService;

// What to do with a destination that already exists.
enum class OverwriteMode : int {
    Ask = 0,        // ask the user (Yes goes on, No ends)
    Overwrite = 1,  // go on without asking
    Report = 2,     // report that it exists and end
};

struct ProtectFileOptions {
    // Problems are only collected into the result, never shown.
    bool quiet = true;
    // False: an existing destination fails the checks before any work.
    bool allowOverwrite = true;
    OverwriteMode overwriteMode = OverwriteMode::Overwrite;
    // An existing destination is kept as "<destination>.bak" (".bak.bak", ... when taken).
    bool keepBackup = true;
    // Asks the overwrite question, shows problems when not quiet and reports the backup.
    MessageBoxService* messageBox = nullptr;
    ProtectProgress* progress = nullptr;
    // The wait after a wrong key; nullptr waits on the system clock.
    Sleeper* sleeper = nullptr;
};

// Encrypts the source file into a protected container at the destination (encrypt true), or
// restores the file a container holds (encrypt false). The key is 6 to 16 characters. The work
// is done in memory and the destination is replaced durably, only once all of it succeeded.
// On failure the message holds one line per problem, each ended by "\r\n", and nothing is written.
Result ProtectFile(const std::string& source, const std::string& destination, std::string_view key,
                   bool encrypt, const ProtectFileOptions& options = {});

}  // namespace tidewell
