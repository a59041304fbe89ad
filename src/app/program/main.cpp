#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/program/display_probe.h"
#include "app/program/start_string.h"
#include "app/program/tidewell_app.h"
#include "platform/administrator.h"

namespace {

// The variables the program reads beyond the folders of its locations.
tidewell::Environment StartEnvironment() {
    tidewell::Environment environment = tidewell::ProcessEnvironment();
    for (const char* name : {tidewell::kPlatformVariable, tidewell::kX11DisplayVariable,
                             tidewell::kWaylandDisplayVariable, tidewell::kRuntimeDirVariable}) {
        if (const char* value = std::getenv(name); value != nullptr) environment[name] = value;
    }
    return environment;
}

std::string ProgramPath(const char* argv0) {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::absolute(argv0, error).string() : path.string();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!tidewell::StartStringFromArguments(arguments)) return 0;
    tidewell::Environment environment = StartEnvironment();
    if (!tidewell::DisplayAvailable(environment)) {
        std::fputs(
            "tidewell: no display can be opened here; start it on a desktop session (DISPLAY or "
            "WAYLAND_DISPLAY)\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    tidewell::AppStartOptions options;
    options.arguments = std::move(arguments);
    options.environment = std::move(environment);
    options.programPath = ProgramPath(argv[0]);
    options.administrator = tidewell::IsAdministrator();
    options.sessionBus = true;
    options.homepage = TIDEWELL_HOMEPAGE;
    tidewell::CTidewellApp tidewellApp(std::move(options));
    QObject::connect(&tidewellApp, &tidewell::CTidewellApp::ended, &application, &QApplication::quit);
    if (!tidewellApp.InitInstance()) return tidewellApp.StartFailureStatus();
    return QApplication::exec();
}
