#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tidewell {

// RC5-32/12/b: 32-bit words, 12 rounds, a key of b bytes (0 to 255), ECB on 8-byte blocks.
// Key bytes are loaded little-endian into words and block words are read and written
// little-endian, so the byte-wise results match the published test vectors.
// The key schedule is built once per key; encryption and decryption do not change the object.
class Rc5 {
public:
    static constexpr std::size_t kBlockSize = 8;
    static constexpr int kRounds = 12;
    static constexpr std::size_t kMaxKeyBytes = 255;

    // A key longer than kMaxKeyBytes is cut to kMaxKeyBytes.
    explicit Rc5(std::span<const std::uint8_t> key);

    void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const;
    void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const;

    // In place, block by block; data.size() must be a multiple of kBlockSize (a trailing
    // partial block is left untouched).
    void EncryptBlocks(std::span<std::uint8_t> data) const;
    void DecryptBlocks(std::span<std::uint8_t> data) const;

private:
    static constexpr std::size_t kTableWords = 2 * (kRounds + 1);
    std::array<std::uint32_t, kTableWords> m_s{};
};

}  // namespace tidewell
