#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace tidewell::cli {

// Asks for the administrator password on the terminal at `inputFd`, without echo, after writing
// the prompt to `prompt`. Nothing when the input is no terminal (a script gives --password) or
// when reading fails; the terminal's echo comes back in every case.
std::optional<std::string> AskPasswordOnTerminal(int inputFd, std::ostream& prompt);

// The password a changing command sends: the one given with --password, else, when the
// administrator password is set and the input is a terminal, the one typed there; else empty.
std::string PasswordForChange(const std::string& given, std::ostream& prompt);

}  // namespace tidewell::cli
