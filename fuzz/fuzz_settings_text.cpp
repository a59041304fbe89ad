// Reads arbitrary bytes as a settings document from a string and from a file, walks every line
// through the lookups, and checks that what is saved loads back to the same document.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "format/settings_text.h"

namespace {

using tidewell::SettingsText;

void Check(bool condition) {
    if (!condition) {
        abort();
    }
}

const std::string& InputPath() {
    static const std::string path = [] {
        const char* tmp = getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tw-fuzz-settings-XXXXXX";
        Check(mkdtemp(pattern.data()) != nullptr);
        static std::string folder = pattern;
        atexit([] {
            unlink((folder + "/input.ini").c_str());
            rmdir(folder.c_str());
        });
        return pattern + "/input.ini";
    }();
    return path;
}

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsSection(std::string_view trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']' &&
           trimmed.find('=') == std::string_view::npos;
}

// Every section line is found (first of its name), every key line answers for its own key
// unless an earlier line of its section has the same key.
void Walk(const SettingsText& doc) {
    const auto& lines = doc.Lines();
    int section = -1;
    std::string sectionName;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        Check(line == Trim(line));
        if (IsSection(line)) {
            sectionName = line.substr(1, line.size() - 2);
            const int found = doc.FindSection(sectionName);
            const bool nameUsable =
                sectionName == Trim(sectionName) && sectionName.find_first_of("\r\n") == std::string::npos;
            Check(!nameUsable ||
                  (found >= 0 && found <= i && lines[static_cast<std::size_t>(found)] == line));
            section = found == i ? i : -1;
            continue;
        }
        const std::size_t separator = line.find(" = ");
        if (section < 0 || separator == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, separator);
        std::string value;
        const int at = doc.FindKey(section + 1, key, &value);
        Check(at >= section + 1 && at <= i);
        if (at == i) {
            std::string read;
            Check(doc.ReadString(sectionName, key, "", read));
            Check(read == value && value == line.substr(separator + 3));
        }
    }
}

// A value as the document holds it: a bare LF becomes CR LF.
std::string WithCrLf(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\n' && (i == 0 || value[i - 1] != '\r')) {
            out += '\r';
        }
        out += value[i];
    }
    return out;
}

void RoundTrip(SettingsText& doc) {
    const std::string text = doc.SaveToString();
    SettingsText again;
    again.LoadFromString(text);
    Check(again.Lines() == doc.Lines());
    Check(again.SaveToString() == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    SettingsText fromString;
    fromString.LoadFromString(input);
    Walk(fromString);

    {
        // A fresh file each time: truncating one in place makes ext4 flush it on every close.
        unlink(InputPath().c_str());
        std::ofstream file(InputPath(), std::ios::binary);
        file.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    SettingsText fromFile;
    Check(fromFile.LoadFromFile(InputPath()));
    Check(fromFile.Lines() == fromString.Lines());

    RoundTrip(fromString);

    // An edit made with part of the input as section, key and value reads back as written.
    const std::size_t third = input.size() / 3;
    const std::string_view section = input.substr(0, third);
    const std::string_view key = input.substr(third, third);
    const std::string_view value = input.substr(2 * third);
    if (fromFile.WriteString(section, key, value)) {
        std::string read;
        Check(fromFile.ReadString(section, key, "", read));
        Check(read == WithCrLf(value));
        RoundTrip(fromFile);
        Walk(fromFile);
    }
    return 0;
}
