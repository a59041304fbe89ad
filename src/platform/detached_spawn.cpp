#include "platform/detached_spawn.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <thread>

extern char** environ;

namespace tidewell {
namespace {

// The attributes and file actions of one spawn.
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

// Reaps the started programs on a thread of its own, so that none stays a zombie and no
// SIGCHLD handler or event loop is needed. Each child is watched through a process descriptor;
// where the system has none, a thread of its own waits for that child.
class ChildReaper {
public:
    static ChildReaper& Instance() {
        // Never destroyed: its thread lives as long as the process.
        static ChildReaper* const reaper = new ChildReaper;
        return *reaper;
    }

    // With `statusFd` (a pipe's writing end, or -1), the child's wait status is written there
    // once it has ended, and the descriptor closed.
    void Watch(pid_t pid, int statusFd) {
        const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_watched;
        if (pidFd < 0 || m_wakeFd < 0) {
            if (pidFd >= 0) close(pidFd);
            std::thread([this, pid, statusFd] {
                Reap(pid, statusFd);
                Reaped();
            }).detach();
            return;
        }
        m_children.push_back({pid, pidFd, statusFd});
        if (!m_reaping) {
            m_reaping = true;
            std::thread([this] { Run(); }).detach();
        }
        const uint64_t one = 1;
        while (write(m_wakeFd, &one, sizeof one) < 0 && errno == EINTR) {
        }
    }

    void WaitAllReaped() {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_allReaped.wait(lock, [this] { return m_watched == 0; });
    }

private:
    struct Child {
        pid_t pid;
        int pidFd;
        int statusFd;
    };

    ChildReaper() : m_wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

    void Run() {
        for (;;) {
            std::vector<pollfd> fds{{m_wakeFd, POLLIN, 0}};
            {
                const std::lock_guard<std::mutex> lock(m_mutex);
                for (const Child& child : m_children) fds.push_back({child.pidFd, POLLIN, 0});
            }
            if (poll(fds.data(), fds.size(), -1) < 0) continue;  // EINTR
            uint64_t count = 0;
            if (fds[0].revents != 0) {
                while (read(m_wakeFd, &count, sizeof count) < 0 && errno == EINTR) {
                }
            }
            for (size_t i = 1; i < fds.size(); ++i) {
                if (fds[i].revents != 0) ReapEnded(fds[i].fd);
            }
        }
    }

    void ReapEnded(int pidFd) {
        Child ended{};
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            for (size_t i = 0; i < m_children.size(); ++i) {
                if (m_children[i].pidFd != pidFd) continue;
                ended = m_children[i];
                m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        }
        Reap(ended.pid, ended.statusFd);
        close(pidFd);
        Reaped();
    }

    // Someone else may have reaped the child already (ECHILD): it is gone all the same, and
    // with no status to pass on, the reader finds the pipe closed empty.
    static void Reap(pid_t pid, int statusFd) {
        int status = 0;
        pid_t reaped;
        while ((reaped = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
        }
        if (statusFd < 0) return;
        if (reaped == pid) {
            while (write(statusFd, &status, sizeof status) < 0 && errno == EINTR) {
            }
        }
        close(statusFd);
    }

    void Reaped() {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (--m_watched == 0) m_allReaped.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_allReaped;
    std::vector<Child> m_children;
    int m_watched = 0;
    const int m_wakeFd;
    bool m_reaping = false;
};

}  // namespace

namespace {

// posix_spawn clones with vfork semantics: the page tables are not copied, we wait only until
// the program has been executed, and glibc returns the failure of that exec. So a start costs
// about a millisecond on the calling thread, whatever this process's size.
int Spawn(const SpawnRequest& request, int statusFd) {
    if (request.argv.empty()) return EINVAL;
    SpawnSetup setup;
    if (const int error = setup.Prepare(request); error != 0) return error;
    std::vector<char*> argv;
    for (const std::string& argument : request.argv) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error = request.searchPath ? posix_spawnp(&child, request.program.c_str(), setup.Actions(),
                                                        setup.Attributes(), argv.data(), environ)
                                         : posix_spawn(&child, request.program.c_str(), setup.Actions(),
                                                       setup.Attributes(), argv.data(), environ);
    if (error == 0) ChildReaper::Instance().Watch(child, statusFd);
    return error;
}

}  // namespace

int SpawnDetached(const SpawnRequest& request) {
    return Spawn(request, -1);
}

int SpawnFollowed(const SpawnRequest& request, int& statusFd) {
    statusFd = -1;
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) return errno;
    const int error = Spawn(request, status[1]);
    if (error != 0) {
        close(status[0]);
        close(status[1]);
        return error;
    }
    statusFd = status[0];
    return 0;
}

void WaitForStartedChildren() {
    ChildReaper::Instance().WaitAllReaped();
}

}  // namespace tidewell
