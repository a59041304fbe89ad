#include "app/program/start_string.h"

#include <algorithm>

#include "config/autostart_entry.h"

namespace tidewell {

std::optional<std::string> StartStringFromArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return std::string();
    if (arguments.size() != 1) return std::nullopt;
    std::string lowered = arguments.front();
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), [](unsigned char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    if (lowered != kAutoloadArgument) return std::nullopt;
    return lowered;
}

}  // namespace tidewell
