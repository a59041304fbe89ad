#include "platform/linux_launcher.h"

#include <errno.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <utility>

#include "base/text_util.h"
#include "platform/argument_split.h"
#include "platform/detached_spawn.h"
#include "text/messages.h"

namespace tidewell {
namespace {

std::string SystemErrorText(int error) {
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}

Result SpawnResult(int error) {
    if (error == 0) return Result::Ok();
    ErrorKind kind = ErrorKind::io;
    if (error == ENOENT || error == ENOTDIR) kind = ErrorKind::notFound;
    if (error == EACCES || error == EPERM) kind = ErrorKind::refused;
    return Result::Fail(kind, SystemErrorText(error));
}

bool HasSlash(const std::string& name) {
    return name.find('/') != std::string::npos;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

LinuxLauncher::LinuxLauncher(std::string opener) : m_opener(std::move(opener)) {}

SpawnRequest LinuxLauncher::OpenerRequest(const std::string& target) const {
    // A relative path that looks like an option must stay a path for the opener.
    const std::string argument = target[0] == '-' ? "./" + target : target;
    SpawnRequest request;
    request.program = m_opener;
    request.searchPath = !HasSlash(m_opener);
    request.argv = {m_opener, argument};
    return request;
}

Result LinuxLauncher::Open(const std::string& target) {
    if (target.empty()) return SpawnResult(ENOENT);
    return SpawnResult(SpawnDetached(OpenerRequest(target)));
}

Result LinuxLauncher::OpenFollowed(const std::string& target, OpenerWatch& watch) {
    watch = {};
    if (target.empty()) return SpawnResult(ENOENT);
    watch.target = target;
    return SpawnResult(SpawnFollowed(OpenerRequest(target), watch.fd));
}

Result LinuxLauncher::OpenerEnded(OpenerWatch& watch) {
    int status = 0;
    size_t got = 0;
    auto* bytes = reinterpret_cast<char*>(&status);
    while (watch.fd >= 0 && got < sizeof status) {
        const ssize_t n = read(watch.fd, bytes + got, sizeof status - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<size_t>(n);
    }
    if (watch.fd >= 0) close(watch.fd);
    const std::string target = watch.target;
    watch = {};
    // Nothing came: nobody knows how the opener did.
    if (got < sizeof status) return Result::Ok();
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (code == 0) return Result::Ok();
    return Result::Fail(ErrorKind::unavailable,
                        ReplaceAll(ReplaceAll(LoadMessage(IDS_MESSAGE_DESKTOP_COULD_NOT_OPEN), "#1", target),
                                   "#2", std::to_string(code)));
}

Result LinuxLauncher::Start(const std::string& program, const std::string& parameters,
                            const std::string& folder) {
    if (program.empty()) return SpawnResult(ENOENT);
    SpawnRequest request;
    request.searchPath = !HasSlash(program);
    request.program = program;
    if (!request.searchPath && program[0] != '/') {
        // The child changes folder before it executes, so a relative path would point elsewhere.
        std::error_code error;
        request.program = std::filesystem::absolute(program, error).string();
        if (error) return SpawnResult(error.value());
    }
    request.folder = folder.empty() ? FolderOf(request.program) : folder;
    request.argv.push_back(program);
    for (std::string& argument : SplitArguments(parameters)) request.argv.push_back(std::move(argument));
    return SpawnResult(SpawnDetached(request));
}

bool IsExecutableFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

}  // namespace tidewell
