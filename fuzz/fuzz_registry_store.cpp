// Loads arbitrary bytes as a settings registry file, as text and through a store on disk. What
// is accepted must write back to a text that reads as the same data; what is refused must read
// as empty, be reported and be kept aside unchanged. Inputs whose first byte is odd build the
// data from section, name and text thirds of the rest instead, so the escapes are reached too.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "store/registry_store.h"

namespace {

using tidewell::RegistryData;
using tidewell::RegistryStore;
using tidewell::RegistryValue;
using tidewell::RegistryValueType;

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

const std::string& Folder() {
    static const std::string folder = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tw-fuzz-registry-XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr);
        static std::string made = pattern;
        atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(made, ignored);
        });
        return pattern;
    }();
    return folder;
}

std::string Get(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Written text reads back as the same data and writes the same text again.
void RoundTrip(const RegistryData& data) {
    const std::string text = tidewell::RegistryText(data);
    RegistryData again;
    Check(tidewell::ParseRegistryText(text, again));
    Check(again == data);
    Check(tidewell::RegistryText(again) == text);
    for (const RegistryData::Key& key : data.Keys()) {
        for (const RegistryValue& value : key.values) {
            const RegistryValue* found = again.Find(key.path, value.name);
            Check(found != nullptr && *found == value);
        }
    }
}

void Built(std::string_view input) {
    const std::size_t third = input.size() / 3;
    RegistryData data;
    RegistryValue text;
    text.name = std::string(input.substr(third, third));
    text.text = std::string(input.substr(2 * third));
    data.Set(input.substr(0, third), text);
    RegistryValue number;
    number.name = std::string(input.substr(2 * third));
    number.type = RegistryValueType::Dword;
    number.dword = static_cast<std::uint32_t>(input.size() * 2654435761u);
    data.Set(input.substr(third, third), number);
    RoundTrip(data);
}

void Loaded(std::string_view input) {
    RegistryData data;
    const bool accepted = tidewell::ParseRegistryText(input, data);
    if (accepted) {
        RoundTrip(data);
    } else {
        Check(data.Keys().empty());
    }

    const std::string file = Folder() + "/" + std::string(tidewell::kRegistryFileName);
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(Folder(), ignored)) {
        std::filesystem::remove(entry.path(), ignored);
    }
    {
        std::ofstream out(file, std::ios::binary);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    RegistryStore store(Folder());
    const bool fits = input.size() <= tidewell::kRegistryFileLimit;
    const std::string read = store.ReadSettingString("Fuzz", "Value", "default");
    Check(store.Problem().empty() == (accepted && fits));
    if (!accepted) {
        Check(read == "default");
        Check(!store.DamagedCopyPath().empty() && Get(store.DamagedCopyPath()) == input);
    }
    Check(store.WriteSettingString("Fuzz", "Value", input).ok());
    Check(store.ReadSettingString("Fuzz", "Value", "") == input);
    RegistryData written;
    Check(tidewell::ParseRegistryText(Get(file), written));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!input.empty() && (static_cast<unsigned char>(input.front()) & 1) != 0) {
        Built(input.substr(1));
    } else {
        Loaded(input);
    }
    return 0;
}
