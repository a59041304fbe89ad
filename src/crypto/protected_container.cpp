#include "crypto/protected_container.h"

#include <algorithm>
#include <span>

#include "crypto/rc5.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

namespace {

std::span<std::uint8_t> Bytes(std::string& text, std::size_t offset, std::size_t size) {
    return {reinterpret_cast<std::uint8_t*>(text.data()) + offset, size};
}

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

Rc5 Cipher(std::string_view key) {
    return Rc5(Bytes(key));
}

Result Fail(ErrorKind kind, MessageId id) {
    return Result::Fail(kind, LoadMessage(id));
}

// Runs `step` over the content in chunks of kContainerChunkSize from `offset`, telling
// `progress` the bytes of the source done after each; false when it stops.
template <typename Step>
bool ForEachChunk(std::size_t paddedLength, std::uint64_t sourceLength, ProtectProgress* progress,
                  Step step) {
    for (std::size_t done = 0; done < paddedLength; done += kContainerChunkSize) {
        const std::size_t size = std::min(kContainerChunkSize, paddedLength - done);
        step(done, size);
        const std::uint64_t sourceDone = std::min<std::uint64_t>(done + size, sourceLength);
        if (progress != nullptr && !progress->OnChunk(sourceDone, sourceLength)) {
            return false;
        }
    }
    return true;
}

}  // namespace

Result SealContainer(std::string_view plain, std::string_view key, ContainerFileRecord record,
                     std::string& container, ProtectProgress* progress) {
    container.clear();
    if (plain.size() > kContainerMaxSourceLength) {
        return Fail(ErrorKind::invalid, IDS_ERROR_MEMORY_INSUFFICIENT_MEMORY_PLEASE_QUIT_APPLICATIONS);
    }
    const Rc5 cipher = Cipher(key);
    const auto sourceLength = static_cast<std::uint32_t>(plain.size());
    record.size = sourceLength;
    const ContainerHeaderBytes header = BuildContainerHeader(cipher, sourceLength);
    ContainerRecordBytes recordBytes = EncodeFileRecord(record);
    cipher.EncryptBlocks(recordBytes);
    const auto padded = static_cast<std::size_t>(PaddedContentLength(sourceLength));
    std::string out;
    out.reserve(kContainerContentOffset + padded);
    out.append(reinterpret_cast<const char*>(header.data()), header.size());
    out.append(reinterpret_cast<const char*>(recordBytes.data()), recordBytes.size());
    out.append(plain);
    out.resize(kContainerContentOffset + padded, '\0');  // fills the last block
    const bool whole = ForEachChunk(padded, sourceLength, progress, [&](std::size_t at, std::size_t size) {
        cipher.EncryptBlocks(Bytes(out, kContainerContentOffset + at, size));
    });
    if (!whole) {
        return Fail(ErrorKind::cancelled, IDS_MESSAGE_SECURITY_ENCRYPTION_CANCELED_BY_USER);
    }
    container = std::move(out);
    return Result::Ok();
}

Result OpenContainer(std::string_view container, std::string_view key, std::string& plain,
                     ProtectProgress* progress) {
    plain.clear();
    const Rc5 cipher = Cipher(key);
    ContainerHeader header;
    const HeaderVerdict verdict = ParseContainerHeader(Bytes(container), cipher, container.size(), &header);
    if (verdict == HeaderVerdict::WrongKey) {
        return Fail(ErrorKind::wrongPassword, IDS_ERROR_SECURITY_INVALID_PASSWORD);
    }
    if (verdict != HeaderVerdict::Ok) {
        return Fail(ErrorKind::damaged, IDS_ERROR_FILE_FORMAT_NOT_MATCH);
    }
    // The header vouches that the record, the content and at most the outer padding are there.
    std::string rest(container.substr(kContainerHeaderSize));
    ContainerRecordBytes recordBytes{};
    std::copy_n(rest.begin(), recordBytes.size(), recordBytes.begin());
    cipher.DecryptBlocks(recordBytes);
    ContainerFileRecord record;
    const std::string_view tail = std::string_view(rest).substr(kContainerRecordSize + header.paddedLength);
    if (!DecodeFileRecord(recordBytes, &record) || record.size != header.sourceLength ||
        tail.find_first_not_of('\0') != std::string_view::npos) {
        return Fail(ErrorKind::damaged, IDS_ERROR_FILE_FORMAT_NOT_MATCH);
    }
    const bool whole = ForEachChunk(header.paddedLength, header.sourceLength, progress,
                                    [&](std::size_t at, std::size_t size) {
                                        cipher.DecryptBlocks(Bytes(rest, kContainerRecordSize + at, size));
                                    });
    if (!whole) {
        return Fail(ErrorKind::cancelled, IDS_MESSAGE_SECURITY_ENCRYPTION_CANCELED_BY_USER);
    }
    rest.erase(0, kContainerRecordSize);
    rest.resize(header.sourceLength);
    plain = std::move(rest);
    return Result::Ok();
}

}  // namespace tidewell
