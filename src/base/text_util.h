#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tidewell {

// Replaces every occurrence of `from`, scanning left to right; replaced text is not scanned again.
// An empty `from` leaves the text unchanged.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

// The lines of a text split at CR LF; an empty text gives one empty line.
std::vector<std::string> SplitLines(std::string_view text);

// The first `maxChars` characters of UTF-8 text; never splits a multi-byte character.
std::string Utf8Prefix(std::string_view text, std::size_t maxChars);

}  // namespace tidewell
