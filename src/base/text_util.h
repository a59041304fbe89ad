#pragma once

#include <cstddef>
#include <cstdint>
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

// FNV-1a: a stable 64-bit hash that does not change between builds or machines. Continues from
// `hash` to hash several texts as one.
uint64_t Fnv1a(std::string_view text, uint64_t hash = 14695981039346656037ull);

// The value as 16 lower-case hexadecimal digits.
std::string HexDigits(uint64_t value);

}  // namespace tidewell
