#include "config/password_file.h"

#include <algorithm>

#include "base/text_util.h"
#include "crypto/idea.h"
#include "crypto/password_encoding.h"
#include "files/durable_file.h"
#include "files/whole_file.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

Idea PasswordFileCipher() {
    std::array<std::uint8_t, Idea::kKeyBytes> key{};  // the last byte stays zero
    std::copy_n(kPasswordFileKeyText.begin(), std::min(kPasswordFileKeyText.size(), key.size() - 1),
                key.begin());
    return Idea(key);
}

}  // namespace

PasswordFileBytes BuildPasswordFile(std::string_view password) {
    std::string text(kPasswordFileVersionText);
    text += kPasswordFilePasswordText;
    text += EncodePassword(password);
    text.resize(std::min(text.size(), kPasswordFileMaxText));

    std::array<std::uint8_t, kPasswordFileBufferSize> buffer{};
    std::copy(text.begin(), text.end(), buffer.begin());
    PasswordFileCipher().EncryptBlocks(buffer);
    PasswordFileBytes bytes{};
    std::copy_n(buffer.begin(), bytes.size(), bytes.begin());
    return bytes;
}

std::optional<std::string> ParsePasswordFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() != kPasswordFileSize) {
        return std::nullopt;
    }
    std::array<std::uint8_t, kPasswordFileBufferSize> buffer{};
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    PasswordFileCipher().DecryptBlocks(buffer);
    // The last block lost its tail when the file was cut; the text must end before it.
    constexpr std::size_t kIntact = kPasswordFileBufferSize - Idea::kBlockSize;
    const auto end = std::find(buffer.begin(), buffer.begin() + kIntact, std::uint8_t{0});
    if (end == buffer.begin() + kIntact) {
        return std::nullopt;
    }
    const std::string text(buffer.begin(), end);
    const auto version = text.find(kPasswordFileVersionMarker);
    const auto marker = text.find(kPasswordFilePasswordMarker);
    if (version == std::string::npos || marker == std::string::npos) {
        return std::nullopt;
    }
    std::string encoded = text.substr(marker + kPasswordFilePasswordMarker.size());
    // The blank after "=" separates; an encoded password may itself start with a blank.
    if (!encoded.empty() && encoded.front() == ' ') {
        encoded.erase(0, 1);
    }
    const std::string password = DecodePassword(encoded);
    if (!ValidatePassword(password).ok()) {
        return std::nullopt;
    }
    // A short password that did not come through NormalizePassword could never be typed in.
    return NormalizePassword(password);
}

Result WritePasswordFile(const std::string& path, std::string_view password) {
    const PasswordFileBytes bytes = BuildPasswordFile(password);
    return WriteFileDurably(path,
                            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Result ReadPasswordFile(const std::string& path, std::string* password) {
    password->clear();
    std::string bytes;
    const Result read = ReadWholeFile(path, bytes, kPasswordFileSize);
    if (read.kind() == ErrorKind::notFound) {
        return Result::Ok();
    }
    const std::string locked = ReplaceAll(
        LoadMessage(IDS_ERROR_SECURITY_PASSWORD_FILE_UNREADABLE, LoadMessage(IDS_KLN_TIDEWELL)), "#1", path);
    if (read.kind() == ErrorKind::io) {
        return Result::Fail(ErrorKind::io, locked);
    }
    const auto parsed =
        read.ok()
            ? ParsePasswordFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()))
            : std::nullopt;
    if (!parsed) {
        return Result::Fail(ErrorKind::damaged, locked);
    }
    *password = *parsed;
    return Result::Ok();
}

}  // namespace tidewell
