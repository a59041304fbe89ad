#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"

namespace tidewell {

// The administrator password file in the config folder.
inline constexpr std::string_view kPasswordFileName = "mar.dat";
// Its plain content: the version line followed, without a line break, by the password line and
// the encoded password, ended by a zero byte, in a zero-filled buffer of kPasswordFileBufferSize
// bytes. The buffer is IDEA-encrypted (key words big-endian, data words little-endian) and only
// its first kPasswordFileSize bytes are written; the text ends before the last, cut block.
inline constexpr std::string_view kPasswordFileVersionText = "<Tidewell Version> = 1.0";
inline constexpr std::string_view kPasswordFileVersionMarker = "<Tidewell Version> =";
inline constexpr std::string_view kPasswordFilePasswordText = "<Tidewell Password> = ";
inline constexpr std::string_view kPasswordFilePasswordMarker = "<Tidewell Password> =";
inline constexpr std::size_t kPasswordFileSize = 92;
inline constexpr std::size_t kPasswordFileBufferSize = 96;
inline constexpr std::size_t kPasswordFileMaxText = 64;
// The 16-byte key: 15 printable characters and a zero byte. A file written under another key
// cannot be read.
inline constexpr std::string_view kPasswordFileKeyText = "Twl#Admin~Lock9";

using PasswordFileBytes = std::array<std::uint8_t, kPasswordFileSize>;

// The file's bytes for a valid password (empty: no password).
PasswordFileBytes BuildPasswordFile(std::string_view password);

// The password a file's bytes hold, decoded and normalized; nullopt when the bytes are not a
// password file of ours (wrong size, no markers, or a password that is not valid).
std::optional<std::string> ParsePasswordFile(std::span<const std::uint8_t> bytes);

// Replaces the file at path durably (the folder must exist).
Result WritePasswordFile(const std::string& path, std::string_view password);

// Reads the password stored at path. False, with *password empty, when the file is missing,
// unreadable or not ours.
bool ReadPasswordFile(const std::string& path, std::string* password);

}  // namespace tidewell
