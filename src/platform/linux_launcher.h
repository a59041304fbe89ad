#pragma once

#include <string>

#include "platform/detached_spawn.h"
#include "platform/launcher.h"

namespace tidewell {

// The launcher of a Linux desktop. Children are started with posix_spawn, which costs little on
// the calling thread and tells at once whether the program could be executed. A thread of the
// launcher reaps them when they end, so none stays our zombie, and no SIGCHLD handler or event
// loop is needed. Children run in a session of their own with the default signal mask and
// dispositions and only the standard descriptors inherited.
class LinuxLauncher final : public Launcher {
public:
    // `opener` is the program Open hands targets to; a name without a slash is looked up on PATH.
    explicit LinuxLauncher(std::string opener = "xdg-open");

    Result Open(const std::string& target) override;
    // The opener ends with a status other than 0 when it found nothing to open the target with
    // (xdg-open: 3 no program, 4 the program failed): OpenerEnded then fails (unavailable).
    Result OpenFollowed(const std::string& target, OpenerWatch& watch) override;
    Result OpenerEnded(OpenerWatch& watch) override;
    // A program named without a slash is looked up on PATH; a relative path counts from the
    // current folder. Fails with notFound, refused (permission) or io, with the system's text.
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override;

private:
    SpawnRequest OpenerRequest(const std::string& target) const;

    std::string m_opener;
};

// True when `path` is a regular file (after following links) that this user may execute:
// what Start runs, where anything else goes to Open.
bool IsExecutableFile(const std::string& path);

}  // namespace tidewell
