#include "support/private_bus.h"

#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <stdexcept>

namespace tidewell::testing {
namespace {

std::string Config(const std::string& folder) {
    return "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:dir=" +
           folder +
           "</listen>\n"
           "  <servicedir>" +
           folder +
           "/services</servicedir>\n"
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

std::string ReadLine(FILE* in) {
    char line[1024] = {};
    if (fgets(line, sizeof line, in) == nullptr) return {};
    std::string text = line;
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

PrivateBus::PrivateBus(const std::vector<BusService>& services) {
    const std::string folder = m_folder.Path();
    mkdir((folder + "/services").c_str(), 0700);
    for (const BusService& service : services) {
        WriteFileText(folder + "/services/" + service.name + ".service",
                      "[D-BUS Service]\nName=" + service.name + "\nExec=" + service.command + "\n");
    }
    WriteFileText(folder + "/bus.conf", Config(folder));
    // The daemon forks once it listens, so the address printed is ready for use.
    const std::string command =
        "dbus-daemon --config-file=" + folder + "/bus.conf --fork --print-address=1 --print-pid=1";
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) throw std::runtime_error("cannot start dbus-daemon");
    m_address = ReadLine(out);
    const std::string pid = ReadLine(out);
    pclose(out);
    if (m_address.empty() || pid.empty()) throw std::runtime_error("dbus-daemon did not start");
    m_pid = static_cast<pid_t>(std::stol(pid));
}

PrivateBus::~PrivateBus() {
    if (m_pid <= 0) return;
    // The daemon removes its socket as it leaves: wait for that before the folder goes.
    const int process = static_cast<int>(syscall(SYS_pidfd_open, m_pid, 0));
    kill(m_pid, SIGTERM);
    if (process < 0) return;
    pollfd gone{process, POLLIN, 0};
    poll(&gone, 1, 10000);
    close(process);
}

}  // namespace tidewell::testing
