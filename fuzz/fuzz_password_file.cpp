// Reads arbitrary bytes as the administrator password file. Inputs whose first byte is odd are
// taken as the plain text instead and encrypted the way the file is, so the marker search and
// the password decoding are reached as well.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "config/password_file.h"
#include "crypto/idea.h"
#include "crypto/password_encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> input(data, size);
    std::array<std::uint8_t, tidewell::kPasswordFileBufferSize> buffer{};
    if (!input.empty() && (input[0] & 1) != 0) {
        const auto text = input.subspan(1, std::min(input.size() - 1, buffer.size()));
        std::copy(text.begin(), text.end(), buffer.begin());
        std::array<std::uint8_t, tidewell::Idea::kKeyBytes> key{};
        std::copy_n(tidewell::kPasswordFileKeyText.begin(), key.size() - 1, key.begin());
        tidewell::Idea(key).EncryptBlocks(buffer);
        input = std::span<const std::uint8_t>(buffer.data(), tidewell::kPasswordFileSize);
    }
    const auto password = tidewell::ParsePasswordFile(input);
    if (password) {
        // Whatever is accepted is a valid, normalized password that writes back the same way.
        if (!tidewell::ValidatePassword(*password).ok() ||
            tidewell::NormalizePassword(*password) != *password) {
            abort();
        }
        const auto again = tidewell::ParsePasswordFile(tidewell::BuildPasswordFile(*password));
        if (!again || *again != *password) {
            abort();
        }
    }
    return 0;
}
