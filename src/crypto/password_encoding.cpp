#include "crypto/password_encoding.h"

#include <algorithm>

#include "base/text_util.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
constexpr int kPrintableCount = kLastPrintable - kFirstPrintable + 1;

bool IsPrintable(char c) {
    const int v = static_cast<unsigned char>(c);
    return v >= kFirstPrintable && v <= kLastPrintable;
}

}  // namespace

Result ValidatePassword(std::string_view text) {
    std::string messages;
    if (text.size() > kPasswordMaxLength) {
        messages += ReplaceAll(
            ReplaceAll(LoadMessage(IDS_ERROR_SECURITY_PASSWORD_SHOULD_BE_A_TO_B_CHARACTERS_LONG), "#1", "1"),
            "#2", std::to_string(kPasswordMaxLength));
        messages += kMessageLineEnd;
    }
    if (!std::all_of(text.begin(), text.end(), IsPrintable)) {
        messages += ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1",
                               LoadMessage(IDS_KLN_PASSWORD));
        messages += kMessageLineEnd;
    }
    if (messages.empty()) {
        return Result::Ok();
    }
    messages.resize(messages.size() - kMessageLineEnd.size());
    return Result::Fail(ErrorKind::invalid, messages);
}

std::string NormalizePassword(std::string_view text) {
    if (!ValidatePassword(text).ok()) {
        return {};
    }
    std::string result(text);
    if (!result.empty() && result.size() < kPasswordMinLength) {
        result += kPasswordPad;
        result.resize(kPasswordMinLength);
    }
    return result;
}

std::string EncodePassword(std::string_view text) {
    const std::size_t n = std::min(text.size(), kPasswordMaxLength);
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        int e = kPasswordEncodingKey[i] - kFirstPrintable + static_cast<unsigned char>(text[i]);
        if (e > kLastPrintable) {
            e -= kPrintableCount;
        }
        out[i] = static_cast<char>(e);
    }
    return out;
}

std::string DecodePassword(std::string_view text) {
    const std::size_t n = std::min(text.size(), kPasswordMaxLength);
    std::string out(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        int c = static_cast<unsigned char>(text[i]) + kFirstPrintable - kPasswordEncodingKey[i];
        if (c < kFirstPrintable) {
            c += kPrintableCount;
        }
        out[i] = static_cast<char>(c);
    }
    return out;
}

std::string ScheduleFileKey(std::string_view password) {
    const std::string normalized = NormalizePassword(password);
    return EncodePassword(normalized.empty() ? password : normalized);
}

}  // namespace tidewell
