#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tidewell {

// IDEA: 8 rounds and an output transformation, 52 16-bit subkeys, multiplication modulo
// 65537 with 0 standing for 65536. ECB on 8-byte blocks.
// Byte orders of this program: the key's eight words are big-endian from the 16 key bytes
// (byte 2i is the high byte of word i); a data block is four words stored little-endian.
// Both subkey tables are built once per key.
class Idea {
public:
    static constexpr std::size_t kBlockSize = 8;
    static constexpr std::size_t kKeyBytes = 16;
    using Words = std::array<std::uint16_t, 4>;

    explicit Idea(std::span<const std::uint8_t, kKeyBytes> key);

    // The cipher on word blocks, as the published vectors state it.
    Words EncryptWords(const Words& in) const;
    Words DecryptWords(const Words& in) const;

    // One 8-byte block with little-endian data words; in and out may be the same.
    void EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const;
    void DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const;

    // In place, block by block; a trailing partial block is left untouched.
    void EncryptBlocks(std::span<std::uint8_t> data) const;
    void DecryptBlocks(std::span<std::uint8_t> data) const;

private:
    static constexpr std::size_t kSubkeys = 52;
    using Schedule = std::array<std::uint16_t, kSubkeys>;

    static Words Crypt(const Words& in, const Schedule& keys);
    static void CryptBlock(const std::uint8_t* in, std::uint8_t* out, const Schedule& keys);

    Schedule m_encrypt{};
    Schedule m_decrypt{};
};

}  // namespace tidewell
