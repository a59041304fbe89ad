#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// Replaces every occurrence of `from`, scanning left to right; replaced text is not scanned again.
// An empty `from` leaves the text unchanged.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace tidewell
