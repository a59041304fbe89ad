#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// The stored form of a macro password: every byte combined with a key of
// fifteen characters and written as two hexadecimal digits, so that the value
// survives the settings format whatever the password holds. Empty stays empty.
std::string EncodeMacroPassword(std::string_view password);
// The inverse; a value that is not an even run of hexadecimal digits gives "".
std::string DecodeMacroPassword(std::string_view stored);

}  // namespace tidewell
