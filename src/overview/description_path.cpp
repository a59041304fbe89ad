#include <vector>

#include "base/text_util.h"
#include "overview/description.h"

namespace tidewell {
namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::string_view kDroppedFolders = ".../";

std::size_t CharCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return count;
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t slash = path.find('/'); slash != std::string_view::npos; slash = path.find('/', start)) {
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    parts.push_back(path.substr(start));
    return parts;
}

// `head` + ".../" + as many of the last parts (from index `first` on) as fit; empty when not
// even the last one does.
std::string KeepTail(std::string_view head, const std::vector<std::string_view>& parts, std::size_t first,
                     std::size_t maxChars) {
    std::string tail(parts.back());
    std::size_t used = CharCount(head) + CharCount(kDroppedFolders);
    if (used + CharCount(tail) > maxChars) return {};
    for (std::size_t i = parts.size() - 1; i-- > first;) {
        std::size_t grown = used + CharCount(parts[i]) + 1 + CharCount(tail);
        if (grown > maxChars) break;
        tail = std::string(parts[i]) + "/" + tail;
    }
    return std::string(head) + std::string(kDroppedFolders) + tail;
}

}  // namespace

std::string ShortenText(std::string_view text, std::size_t maxChars) {
    if (CharCount(text) <= maxChars) return std::string(text);
    if (maxChars <= kEllipsis.size()) return Utf8Prefix(text, maxChars);
    return Utf8Prefix(text, maxChars - kEllipsis.size()) + std::string(kEllipsis);
}

std::string ShortenPath(std::string_view path, std::size_t maxChars) {
    if (CharCount(path) <= maxChars) return std::string(path);
    std::vector<std::string_view> parts = SplitPath(path);
    // The first folder stays: "/home/" of an absolute path, "docs/" of a relative one.
    std::size_t headParts = !parts.empty() && parts.front().empty() ? 2 : 1;
    if (parts.size() > headParts + 1) {
        std::string head;
        for (std::size_t i = 0; i < headParts; ++i) head += std::string(parts[i]) + "/";
        if (std::string kept = KeepTail(head, parts, headParts, maxChars); !kept.empty()) return kept;
    }
    if (parts.size() > 1) {
        if (std::string kept = KeepTail({}, parts, 0, maxChars); !kept.empty()) return kept;
    }
    return ShortenText(parts.back(), maxChars);
}

}  // namespace tidewell
