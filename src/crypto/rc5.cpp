#include "crypto/rc5.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace tidewell {

namespace {

constexpr std::uint32_t kP32 = 0xB7E15163u;
constexpr std::uint32_t kQ32 = 0x9E3779B9u;

std::uint32_t LoadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

void StoreLe32(std::uint32_t v, std::uint8_t* p) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

std::uint32_t Rotl(std::uint32_t v, std::uint32_t n) {
    return std::rotl(v, static_cast<int>(n & 31u));
}
std::uint32_t Rotr(std::uint32_t v, std::uint32_t n) {
    return std::rotr(v, static_cast<int>(n & 31u));
}

}  // namespace

Rc5::Rc5(std::span<const std::uint8_t> key) {
    const std::size_t b = std::min(key.size(), kMaxKeyBytes);
    // c = max(1, ceil(b / 4)) words of key; an empty key still has one zero word.
    const std::size_t c = std::max<std::size_t>(1, (b + 3) / 4);
    std::vector<std::uint32_t> l(c, 0);
    for (std::size_t i = b; i-- > 0;) {
        l[i / 4] = (l[i / 4] << 8) + key[i];
    }

    m_s[0] = kP32;
    for (std::size_t i = 1; i < kTableWords; ++i) {
        m_s[i] = m_s[i - 1] + kQ32;
    }

    std::uint32_t a = 0;
    std::uint32_t bw = 0;
    std::size_t i = 0;
    std::size_t j = 0;
    const std::size_t steps = 3 * std::max(kTableWords, c);
    for (std::size_t k = 0; k < steps; ++k) {
        a = m_s[i] = Rotl(m_s[i] + a + bw, 3);
        bw = l[j] = Rotl(l[j] + a + bw, a + bw);
        i = (i + 1) % kTableWords;
        j = (j + 1) % c;
    }
}

void Rc5::EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in) + m_s[0];
    std::uint32_t b = LoadLe32(in + 4) + m_s[1];
    for (int r = 1; r <= kRounds; ++r) {
        a = Rotl(a ^ b, b) + m_s[2 * r];
        b = Rotl(b ^ a, a) + m_s[2 * r + 1];
    }
    StoreLe32(a, out);
    StoreLe32(b, out + 4);
}

void Rc5::DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    std::uint32_t a = LoadLe32(in);
    std::uint32_t b = LoadLe32(in + 4);
    for (int r = kRounds; r >= 1; --r) {
        b = Rotr(b - m_s[2 * r + 1], a) ^ a;
        a = Rotr(a - m_s[2 * r], b) ^ b;
    }
    StoreLe32(a - m_s[0], out);
    StoreLe32(b - m_s[1], out + 4);
}

void Rc5::EncryptBlocks(std::span<std::uint8_t> data) const {
    for (std::size_t off = 0; off + kBlockSize <= data.size(); off += kBlockSize) {
        EncryptBlock(data.data() + off, data.data() + off);
    }
}

void Rc5::DecryptBlocks(std::span<std::uint8_t> data) const {
    for (std::size_t off = 0; off + kBlockSize <= data.size(); off += kBlockSize) {
        DecryptBlock(data.data() + off, data.data() + off);
    }
}

}  // namespace tidewell
