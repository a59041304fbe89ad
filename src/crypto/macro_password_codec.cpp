#include "crypto/macro_password_codec.h"

#include <array>

namespace tidewell {
namespace {

// The key is put together at run time from three pieces, so it is not one
// string in the program file.
constexpr std::string_view kKeyPieces[] = {"w4Rv", "Tide!", "mAcr0#"};
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

std::string AssembleKey() {
    std::string key;
    for (std::string_view piece : kKeyPieces) key += piece;
    return key;  // fifteen characters
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string EncodeMacroPassword(std::string_view password) {
    const std::string key = AssembleKey();
    std::string stored;
    stored.reserve(password.size() * 2);
    for (size_t i = 0; i < password.size(); ++i) {
        auto byte = static_cast<unsigned char>(password[i] ^ key[i % key.size()]);
        stored += kHexDigits[byte >> 4];
        stored += kHexDigits[byte & 0x0F];
    }
    return stored;
}

std::string DecodeMacroPassword(std::string_view stored) {
    if (stored.size() % 2 != 0) return {};
    const std::string key = AssembleKey();
    std::string password;
    password.reserve(stored.size() / 2);
    for (size_t i = 0; i < stored.size(); i += 2) {
        int high = HexValue(stored[i]);
        int low = HexValue(stored[i + 1]);
        if (high < 0 || low < 0) return {};
        password += static_cast<char>((high << 4 | low) ^ key[(i / 2) % key.size()]);
    }
    return password;
}

}  // namespace tidewell
