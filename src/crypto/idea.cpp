#include "crypto/idea.h"

namespace tidewell {

namespace {

// Multiplication modulo 65537, where the word 0 stands for 65536.
std::uint16_t Mul(std::uint16_t a, std::uint16_t b) {
    const std::uint32_t x = a == 0 ? 65536u : a;
    const std::uint32_t y = b == 0 ? 65536u : b;
    const std::uint64_t p = (std::uint64_t{x} * y) % 65537u;
    return static_cast<std::uint16_t>(p);  // 65536 becomes 0
}

// Multiplicative inverse modulo 65537 (0 and 1 are their own inverses).
std::uint16_t MulInverse(std::uint16_t a) {
    if (a <= 1) {
        return a;
    }
    // 65537 is prime: a^(65537 - 2) is the inverse.
    std::uint64_t result = 1;
    std::uint64_t base = a;
    for (std::uint32_t e = 65535u; e != 0; e >>= 1) {
        if (e & 1u) {
            result = result * base % 65537u;
        }
        base = base * base % 65537u;
    }
    return static_cast<std::uint16_t>(result);
}

std::uint16_t AddInverse(std::uint16_t a) {
    return static_cast<std::uint16_t>(0u - a);
}

std::uint16_t Add(std::uint16_t a, std::uint16_t b) {
    return static_cast<std::uint16_t>(a + b);
}

}  // namespace

Idea::Idea(std::span<const std::uint8_t, kKeyBytes> key) {
    // The 128-bit key, word i big-endian from bytes 2i and 2i + 1; each group of eight
    // subkeys after the first comes from rotating the key 25 bits to the left.
    std::array<std::uint16_t, 8> k{};
    for (std::size_t i = 0; i < 8; ++i) {
        k[i] = static_cast<std::uint16_t>((key[2 * i] << 8) | key[2 * i + 1]);
    }
    for (std::size_t n = 0; n < kSubkeys; ++n) {
        if (n > 0 && n % 8 == 0) {
            std::array<std::uint16_t, 8> r{};
            for (std::size_t i = 0; i < 8; ++i) {
                // Rotating by 25 = one word and 9 bits.
                const std::uint16_t hi = k[(i + 1) % 8];
                const std::uint16_t lo = k[(i + 2) % 8];
                r[i] = static_cast<std::uint16_t>((hi << 9) | (lo >> 7));
            }
            k = r;
        }
        m_encrypt[n] = k[n % 8];
    }

    // Decryption subkeys: the encryption ones inverted, in reverse round order; the two
    // additive keys swap places in every round but the first and last.
    const Schedule& e = m_encrypt;
    Schedule& d = m_decrypt;
    for (std::size_t r = 0; r <= 8; ++r) {
        const std::size_t src = 48 - 6 * r;  // start of the matching transformation keys
        const std::size_t dst = 6 * r;
        const bool outer = r == 0 || r == 8;
        d[dst] = MulInverse(e[src]);
        d[dst + 1] = AddInverse(e[src + (outer ? 1 : 2)]);
        d[dst + 2] = AddInverse(e[src + (outer ? 2 : 1)]);
        d[dst + 3] = MulInverse(e[src + 3]);
        if (r < 8) {
            d[dst + 4] = e[src - 2];
            d[dst + 5] = e[src - 1];
        }
    }
}

Idea::Words Idea::Crypt(const Words& in, const Schedule& keys) {
    std::uint16_t x1 = in[0];
    std::uint16_t x2 = in[1];
    std::uint16_t x3 = in[2];
    std::uint16_t x4 = in[3];
    const std::uint16_t* z = keys.data();
    for (int round = 0; round < 8; ++round, z += 6) {
        x1 = Mul(x1, z[0]);
        x2 = Add(x2, z[1]);
        x3 = Add(x3, z[2]);
        x4 = Mul(x4, z[3]);
        const std::uint16_t t1 = Mul(static_cast<std::uint16_t>(x1 ^ x3), z[4]);
        const std::uint16_t t2 = Mul(Add(t1, static_cast<std::uint16_t>(x2 ^ x4)), z[5]);
        const std::uint16_t t3 = Add(t1, t2);
        x1 = static_cast<std::uint16_t>(x1 ^ t2);
        x4 = static_cast<std::uint16_t>(x4 ^ t3);
        const std::uint16_t m = static_cast<std::uint16_t>(x2 ^ t3);
        x2 = static_cast<std::uint16_t>(x3 ^ t2);
        x3 = m;
    }
    // The output transformation undoes the swap of the middle words of the last round.
    return Words{Mul(x1, z[0]), Add(x3, z[1]), Add(x2, z[2]), Mul(x4, z[3])};
}

void Idea::CryptBlock(const std::uint8_t* in, std::uint8_t* out, const Schedule& keys) {
    Words w{};
    for (std::size_t i = 0; i < 4; ++i) {
        w[i] = static_cast<std::uint16_t>(in[2 * i] | (in[2 * i + 1] << 8));
    }
    const Words r = Crypt(w, keys);
    for (std::size_t i = 0; i < 4; ++i) {
        out[2 * i] = static_cast<std::uint8_t>(r[i]);
        out[2 * i + 1] = static_cast<std::uint8_t>(r[i] >> 8);
    }
}

Idea::Words Idea::EncryptWords(const Words& in) const {
    return Crypt(in, m_encrypt);
}
Idea::Words Idea::DecryptWords(const Words& in) const {
    return Crypt(in, m_decrypt);
}

void Idea::EncryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    CryptBlock(in, out, m_encrypt);
}
void Idea::DecryptBlock(const std::uint8_t* in, std::uint8_t* out) const {
    CryptBlock(in, out, m_decrypt);
}

void Idea::EncryptBlocks(std::span<std::uint8_t> data) const {
    for (std::size_t off = 0; off + kBlockSize <= data.size(); off += kBlockSize) {
        CryptBlock(data.data() + off, data.data() + off, m_encrypt);
    }
}

void Idea::DecryptBlocks(std::span<std::uint8_t> data) const {
    for (std::size_t off = 0; off + kBlockSize <= data.size(); off += kBlockSize) {
        CryptBlock(data.data() + off, data.data() + off, m_decrypt);
    }
}

}  // namespace tidewell
