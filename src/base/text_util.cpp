#include "base/text_util.h"

#include <cstdio>

namespace tidewell {

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return text;
    }
    std::string::size_type pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string_view::size_type start = 0;
    for (;;) {
        const auto end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            return lines;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
}

std::string Utf8Prefix(std::string_view text, std::size_t maxChars) {
    std::size_t chars = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        // A continuation byte (10xxxxxx) belongs to the character before it.
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) != 0x80) {
            if (chars == maxChars) {
                break;
            }
            ++chars;
        }
        ++pos;
    }
    return std::string(text.substr(0, pos));
}

uint64_t Fnv1a(std::string_view text, uint64_t hash) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string HexDigits(uint64_t value) {
    char text[17] = {};
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace tidewell
