#include "platform/detached_spawn.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tidewell {
namespace {

// The attributes and file actions of one spawn, made before the fork so that the intermediate
// process allocates nothing.
class SpawnSetup {
public:
    SpawnSetup() {
        posix_spawnattr_init(&m_attributes);
        posix_spawn_file_actions_init(&m_actions);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;

    int Prepare(const SpawnRequest& request) {
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        // Own session: the child outlives our terminal; signals ignored or blocked here are not
        // its business.
        const auto flags =
            static_cast<short>(POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        int error = posix_spawnattr_setflags(&m_attributes, flags);
        if (error == 0) error = posix_spawnattr_setsigmask(&m_attributes, &none);
        if (error == 0) error = posix_spawnattr_setsigdefault(&m_attributes, &all);
        if (error == 0 && !request.folder.empty()) {
            error = posix_spawn_file_actions_addchdir_np(&m_actions, request.folder.c_str());
        }
        if (error == 0) error = posix_spawn_file_actions_addclosefrom_np(&m_actions, 3);
        return error;
    }

    const posix_spawnattr_t* Attributes() const { return &m_attributes; }
    const posix_spawn_file_actions_t* Actions() const { return &m_actions; }

private:
    posix_spawnattr_t m_attributes;
    posix_spawn_file_actions_t m_actions;
};

void WriteInt(int fd, int value) {
    ssize_t written;
    do {
        written = write(fd, &value, sizeof value);
    } while (written < 0 && errno == EINTR);
}

// Runs in the intermediate process: spawn, report, leave; with a status pipe, wait for the
// child first and pass its end on. glibc's posix_spawn returns the failure of the child's
// exec, so the report covers a program that cannot run.
[[noreturn]] void SpawnAndReport(const SpawnRequest& request, const SpawnSetup& setup, char* const* argv,
                                 int reportFd, int statusFd) {
    pid_t child = 0;
    const int error = request.searchPath ? posix_spawnp(&child, request.program.c_str(), setup.Actions(),
                                                        setup.Attributes(), argv, environ)
                                         : posix_spawn(&child, request.program.c_str(), setup.Actions(),
                                                       setup.Attributes(), argv, environ);
    WriteInt(reportFd, error);
    if (error == 0 && statusFd >= 0) {
        close(reportFd);
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        WriteInt(statusFd, status);
    }
    _exit(0);
}

int ReadReport(int fd) {
    int error = 0;
    size_t got = 0;
    auto* bytes = reinterpret_cast<char*>(&error);
    while (got < sizeof error) {
        const ssize_t n = read(fd, bytes + got, sizeof error - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return EIO;  // the intermediate died before it could tell
        got += static_cast<size_t>(n);
    }
    return error;
}

}  // namespace

namespace {

// Spawns through an intermediate process; with `statusFd` wanted, that process follows the
// child to its end and is left for the caller to reap.
int Spawn(const SpawnRequest& request, int* statusFd, int* follower) {
    if (request.argv.empty()) return EINVAL;
    SpawnSetup setup;
    if (const int error = setup.Prepare(request); error != 0) return error;
    std::vector<char*> argv;
    for (const std::string& argument : request.argv) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return errno;
    int status[2] = {-1, -1};
    if (statusFd != nullptr && pipe2(status, O_CLOEXEC) != 0) {
        const int error = errno;
        close(report[0]);
        close(report[1]);
        return error;
    }
    auto closeAll = [&] {
        for (int fd : {report[0], report[1], status[0], status[1]})
            if (fd >= 0) close(fd);
    };
    const pid_t intermediate = fork();
    if (intermediate < 0) {
        const int error = errno;
        closeAll();
        return error;
    }
    if (intermediate == 0) {
        close(report[0]);
        if (status[0] >= 0) close(status[0]);
        SpawnAndReport(request, setup, argv.data(), report[1], status[1]);
    }
    close(report[1]);
    if (status[1] >= 0) close(status[1]);
    const int error = ReadReport(report[0]);
    close(report[0]);
    if (statusFd != nullptr && error == 0) {
        *statusFd = status[0];
        *follower = intermediate;
        return 0;
    }
    if (status[0] >= 0) close(status[0]);
    // The intermediate exits right after its report; reaping it is all the waiting there is.
    while (waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
    }
    return error;
}

}  // namespace

int SpawnDetached(const SpawnRequest& request) {
    return Spawn(request, nullptr, nullptr);
}

int SpawnFollowed(const SpawnRequest& request, int& statusFd, int& intermediate) {
    statusFd = -1;
    intermediate = -1;
    return Spawn(request, &statusFd, &intermediate);
}

}  // namespace tidewell
