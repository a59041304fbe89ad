#include "cli/terminal_password.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "cli/console_message_box.h"
#include "cli/user_files.h"
#include "config/admin_password.h"
#include "text/messages.h"

namespace tidewell::cli {
namespace {

// One line from the descriptor, without its line feed; nothing at end of input or on an error.
std::optional<std::string> ReadLine(int fd) {
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(fd, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
        if (c == '\n' || c == '\r') return line;
        line.push_back(c);
    }
}

}  // namespace

std::optional<std::string> AskPasswordOnTerminal(int inputFd, std::ostream& prompt) {
    termios saved{};
    if (!::isatty(inputFd) || ::tcgetattr(inputFd, &saved) != 0) return std::nullopt;
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ECHONL;
    if (::tcsetattr(inputFd, TCSANOW, &quiet) != 0) return std::nullopt;
    prompt << LoadMessage(IDS_TIDEWELL_CLI_PASSWORD_PROMPT) << std::flush;
    std::optional<std::string> line = ReadLine(inputFd);
    ::tcsetattr(inputFd, TCSANOW, &saved);
    return line;
}

std::string PasswordForChange(const std::string& given, std::ostream& prompt) {
    if (!given.empty()) return given;
    ConsoleMessageBox messages(prompt);
    AdminPassword admin(messages);
    if (!admin.ReadPasswordFile(UserPasswordFile()) || !admin.IsSet()) return given;
    return AskPasswordOnTerminal(STDIN_FILENO, prompt).value_or(given);
}

}  // namespace tidewell::cli
