// Opens arbitrary bytes as a protected container, in memory. Half of the inputs get the check
// block of the fuzzing key, so the header, record and content paths are reached too. What opens
// must seal again to bytes that open to the same content.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "crypto/protected_container.h"
#include "crypto/rc5.h"

namespace {

constexpr std::string_view kFuzzKey = "fuzzing-key";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!bytes.empty() && (bytes[0] & 1) != 0 && bytes.size() >= tidewell::Rc5::kBlockSize) {
        const tidewell::Rc5 cipher(
            std::span(reinterpret_cast<const std::uint8_t*>(kFuzzKey.data()), kFuzzKey.size()));
        const auto header = tidewell::BuildContainerHeader(cipher, 0);
        std::memcpy(bytes.data(), header.data(), tidewell::Rc5::kBlockSize);
    }
    std::string plain;
    if (!tidewell::OpenContainer(bytes, kFuzzKey, plain).ok()) {
        if (!plain.empty()) abort();  // a refused container gives nothing
        return 0;
    }
    std::string sealed;
    std::string again;
    if (!tidewell::SealContainer(plain, kFuzzKey, {}, sealed).ok() ||
        !tidewell::OpenContainer(sealed, kFuzzKey, again).ok() || again != plain) {
        abort();
    }
    return 0;
}
