// Decrypts arbitrary bytes as a protected file container. Half of the inputs get the check
// block of the fuzzing key, so the header, record and content paths are reached too.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "crypto/protect_file.h"
#include "crypto/protect_file_format.h"

namespace {

constexpr std::string_view kFuzzKey = "fuzzing-key";

class NoSleep final : public tidewell::Sleeper {
public:
    void Sleep(std::chrono::milliseconds) override {}
};

const std::string& Folder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tw-fuzz-protect-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            abort();
        }
        return pattern;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    const tidewell::Rc5 cipher(
        std::span(reinterpret_cast<const std::uint8_t*>(kFuzzKey.data()), kFuzzKey.size()));
    if (!bytes.empty() && (bytes[0] & 1) != 0 && bytes.size() >= tidewell::Rc5::kBlockSize) {
        const auto header = tidewell::BuildContainerHeader(cipher, 0);
        std::memcpy(bytes.data(), header.data(), tidewell::Rc5::kBlockSize);
    }

    // The pure parsers first, then the whole operation on a file.
    tidewell::ContainerHeader parsed;
    tidewell::ParseContainerHeader(bytes, cipher, bytes.size(), &parsed);
    if (bytes.size() >= tidewell::kContainerContentOffset) {
        tidewell::ContainerFileRecord record;
        tidewell::DecodeFileRecord(std::span(bytes).subspan(tidewell::kContainerHeaderSize), &record);
    }

    const std::string source = Folder() + "/input";
    const std::string destination = Folder() + "/output";
    {
        std::ofstream out(source, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    NoSleep sleeper;
    tidewell::ProtectFileOptions options;
    options.keepBackup = false;
    options.sleeper = &sleeper;
    const tidewell::Result result = tidewell::ProtectFile(source, destination, kFuzzKey, false, options);
    // A refused container leaves nothing behind.
    if (!result.ok() && std::filesystem::exists(destination)) {
        abort();
    }
    unlink(destination.c_str());
    return 0;
}
