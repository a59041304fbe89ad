#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

// Ends each line of a message that lists several problems.
inline constexpr std::string_view kMessageLineEnd = "\r\n";

inline constexpr std::size_t kPasswordMaxLength = 16;
// Every password entered is padded to this length (NormalizePassword).
inline constexpr std::size_t kPasswordMinLength = 6;
// Appended to a short password before it is cut to kPasswordMinLength: 5 printable characters.
inline constexpr std::string_view kPasswordPad = "k2@Qz";
// K of the password encoding, 16 printable characters; the schedule file's key is derived with
// the same encoding. A file written with another K cannot be read.
inline constexpr std::string_view kPasswordEncodingKey = "q7#Vx2!mR9&kLp4Z";

// Empty is valid. Longer than 16 characters, or a character outside 32 to 126: false (invalid),
// with one line per problem (the last line break trimmed).
Result ValidatePassword(std::string_view text);

// A valid text of 1 to 5 characters padded to 6; any other valid text unchanged; an invalid
// text becomes empty.
std::string NormalizePassword(std::string_view text);

// Shifts each of the first 16 characters by the matching character of kPasswordEncodingKey,
// staying within 32 to 126; DecodePassword inverts it for printable text. The encoding of the
// administrator password is the schedule file's key.
std::string EncodePassword(std::string_view text);
std::string DecodePassword(std::string_view text);

// The schedule file's key from a password as it was typed, for every caller (the program, its
// Options and the command-line tool): normalized, then encoded, so "abc" and its padded form
// give the same key. Empty for no password; a text that is not a valid password keeps its own
// encoding, which opens no file.
std::string ScheduleFileKey(std::string_view password);

}  // namespace tidewell
