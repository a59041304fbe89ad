#include "app/program/display_probe.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace tidewell {
namespace {

std::string Variable(const Environment& environment, std::string_view name) {
    auto found = environment.find(name);
    return found == environment.end() ? std::string() : found->second;
}

// The X library is loaded only to ask; the toolkit's own X support links it anyway.
bool X11DisplayAccepts(const std::string& display) {
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) return false;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(library, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(library, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(library, "xcb_disconnect"));
    bool accepted = false;
    if (connect != nullptr && hasError != nullptr && disconnect != nullptr) {
        void* connection = connect(display.c_str(), nullptr);
        accepted = connection != nullptr && hasError(connection) == 0;
        if (connection != nullptr) disconnect(connection);
    }
    dlclose(library);
    return accepted;
}

bool WaylandSocketAccepts(const std::string& runtimeDir, const std::string& display) {
    const std::string path = display.front() == '/' ? display : runtimeDir + "/" + display;
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool accepted = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return accepted;
}

}  // namespace

bool DisplayAvailable(const Environment& environment) {
    if (!Variable(environment, kPlatformVariable).empty()) return true;
    const std::string wayland = Variable(environment, kWaylandDisplayVariable);
    const std::string runtimeDir = Variable(environment, kRuntimeDirVariable);
    if (!wayland.empty() && (wayland.front() == '/' || !runtimeDir.empty()) &&
        WaylandSocketAccepts(runtimeDir, wayland)) {
        return true;
    }
    const std::string x11 = Variable(environment, kX11DisplayVariable);
    return !x11.empty() && X11DisplayAccepts(x11);
}

}  // namespace tidewell
