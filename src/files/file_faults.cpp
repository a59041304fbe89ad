#include "files/file_faults.h"

#include <atomic>
#include <cerrno>
#include <mutex>

namespace tidewell {

namespace {

std::mutex g_hookMutex;
FileFaultHook g_hook;
std::atomic<bool> g_hookSet{false};  // spares the lock on every step when no hook is set

}  // namespace

void SetFileFaultHook(FileFaultHook hook) {
    const std::lock_guard<std::mutex> lock(g_hookMutex);
    g_hookSet = static_cast<bool>(hook);
    g_hook = std::move(hook);
}

int InjectedFault(FileStep step, const std::string& path) {
    if (!g_hookSet) {
        return 0;
    }
    const std::lock_guard<std::mutex> lock(g_hookMutex);
    const int fault = g_hook ? g_hook(step, path) : 0;
    if (fault != 0) {
        errno = fault;
    }
    return fault;
}

}  // namespace tidewell
