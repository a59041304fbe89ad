#include "crypto/outer_scramble.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "crypto/idea.h"

namespace tidewell {
namespace {

// Both constants are part of the file format: a file written with other
// values cannot be read.
constexpr std::string_view kMarker = "TdwScrm8";
constexpr std::string_view kKeyHead = "Vm#Tw25!";

const Idea& OuterCipher() {
    static const Idea cipher = [] {
        std::array<std::uint8_t, Idea::kKeyBytes> key{};
        std::copy(kKeyHead.begin(), kKeyHead.end(), key.begin());  // then four zero bytes
        std::copy(kMarker.begin(), kMarker.begin() + 4, key.begin() + 12);
        return Idea(key);
    }();
    return cipher;
}

std::span<std::uint8_t> Bytes(std::string& text) {
    return {reinterpret_cast<std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::string WrapOuterScramble(std::string_view container) {
    size_t head = std::min(container.size(), kOuterMarkerOffset);
    std::string buffer(container.substr(0, head));
    buffer += kMarker;
    buffer += '\0';
    buffer += container.substr(head);
    buffer.resize((buffer.size() + Idea::kBlockSize - 1) / Idea::kBlockSize * Idea::kBlockSize, '\0');
    OuterCipher().EncryptBlocks(Bytes(buffer));
    return buffer;
}

std::optional<std::string> UnwrapOuterScramble(std::string_view file) {
    if (file.size() < kOuterMinimumFileSize || file.size() % Idea::kBlockSize != 0) return std::nullopt;
    std::string buffer(file);
    OuterCipher().DecryptBlocks(Bytes(buffer));
    if (buffer.compare(kOuterMarkerOffset, kMarker.size(), kMarker) != 0) return std::nullopt;
    buffer.erase(kOuterMarkerOffset, kMarker.size() + 1);
    return buffer;
}

}  // namespace tidewell
