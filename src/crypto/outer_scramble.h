#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tidewell {

// The fixed-key outer layer of a protected schedule file. The inner
// container's first 20 bytes, an 8-character marker and a zero byte, the rest
// of the container, zero bytes up to a multiple of 8; all of it encrypted
// with IDEA under a key fixed in the program.
inline constexpr size_t kOuterMarkerOffset = 20;
inline constexpr size_t kOuterMinimumFileSize = 50;

std::string WrapOuterScramble(std::string_view container);

// The container back, with the zero bytes of the padding still at its end;
// nullopt for a file that is too short, not whole blocks, or without the marker.
std::optional<std::string> UnwrapOuterScramble(std::string_view file);

}  // namespace tidewell
