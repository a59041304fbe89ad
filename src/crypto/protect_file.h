#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/result.h"

namespace tidewell {

class MessageBoxService;

// Waits that the program makes on purpose (after a wrong password). Tests pass a fake.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

class SystemSleeper final : public Sleeper {
public:
    void Sleep(std::chrono::milliseconds duration) override;
};

// Told after each chunk of content; answering false cancels the operation.
class ProtectProgress {
public:
    virtual ~ProtectProgress() = default;
    virtual bool OnChunk(std::uint64_t bytesDone, std::uint64_t bytesTotal) = 0;
};

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

// The wait before a wrong key is reported.
inline constexpr std::chrono::milliseconds kWrongKeyDelay{500};

// Encrypts the source into a protected container at the destination (encrypt true), or
// restores the source file a container holds (encrypt false). The key is 6 to 16 characters.
// On failure the message holds one line per problem, each ended by "\r\n", and nothing is
// written: the output goes to a new file beside the destination that replaces it only once
// complete and synced.
Result ProtectFile(const std::string& source, const std::string& destination, std::string_view key,
                   bool encrypt, const ProtectFileOptions& options = {});

}  // namespace tidewell
