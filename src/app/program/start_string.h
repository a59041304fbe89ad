#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tidewell {

// The start string of the program's command line (the arguments after the program name):
// empty for an interactive start, "autoload" for a start at logon (in any letter case).
// Anything else gives nothing: the program then ends at once without a word.
std::optional<std::string> StartStringFromArguments(const std::vector<std::string>& arguments);

}  // namespace tidewell
