#include "crypto/protect_file_format.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace tidewell {

namespace {

constexpr std::size_t kVersionOffset = 8;
constexpr std::size_t kPlainOffset = 9;
constexpr std::size_t kPaddedLengthOffset = 20;
constexpr std::size_t kSourceLengthOffset = 24;

// File-find layout of the record.
constexpr std::size_t kRecordPathOffset = 36;
constexpr std::size_t kRecordPathBytes = 260;
constexpr std::size_t kRecordIndexOffset = kRecordPathOffset + kRecordPathBytes;
constexpr std::size_t kRecordSpareOffset = kRecordIndexOffset + 4;

constexpr std::uint32_t kAttributeReadOnly = 0x01;
constexpr std::uint32_t kAttributeNormal = 0x80;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kFileTimeEpochOffset = 11644473600;

void PutLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::uint32_t GetLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
           (std::uint32_t{p[3]} << 24);
}

// A file time as two 32-bit halves, low half first.
void PutFileTime(std::uint8_t* p, std::uint64_t v) {
    PutLe32(p, static_cast<std::uint32_t>(v));
    PutLe32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t GetFileTime(const std::uint8_t* p) {
    return std::uint64_t{GetLe32(p)} | (std::uint64_t{GetLe32(p + 4)} << 32);
}

std::uint64_t ToFileTime(const struct timespec& ts) {
    const std::int64_t seconds = ts.tv_sec + kFileTimeEpochOffset;
    if (seconds < 0) {
        return 0;
    }
    return static_cast<std::uint64_t>(seconds) * 10000000u + static_cast<std::uint64_t>(ts.tv_nsec) / 100u;
}

// Bytes of the constant and a zero byte, as the 8-byte plain block.
std::array<std::uint8_t, 8> ConstantBlock(std::string_view constant) {
    std::array<std::uint8_t, 8> block{};
    std::copy_n(constant.begin(), std::min<std::size_t>(constant.size(), 7), block.begin());
    return block;
}

}  // namespace

ContainerHeaderBytes BuildContainerHeader(const Rc5& cipher, std::uint32_t sourceLength) {
    ContainerHeaderBytes header{};
    const auto check = ConstantBlock(kCheckConstant);
    cipher.EncryptBlock(check.data(), header.data());
    header[kVersionOffset] = kContainerVersion;
    const auto plain = ConstantBlock(kPlainConstant);
    std::copy(plain.begin(), plain.end(), header.begin() + kPlainOffset);
    PutLe32(header.data() + kPaddedLengthOffset,
            static_cast<std::uint32_t>(PaddedContentLength(sourceLength)));
    PutLe32(header.data() + kSourceLengthOffset, sourceLength);
    return header;
}

HeaderVerdict ParseContainerHeader(std::span<const std::uint8_t> header, const Rc5& cipher,
                                   std::uint64_t fileSize, ContainerHeader* out) {
    if (header.size() < kContainerHeaderSize || fileSize < kContainerHeaderSize) {
        return HeaderVerdict::BadFormat;
    }
    std::array<std::uint8_t, 8> check{};
    cipher.DecryptBlock(header.data(), check.data());
    // Compared as a zero-terminated text.
    const auto end = std::find(check.begin(), check.end(), std::uint8_t{0});
    if (end == check.end() ||
        std::string_view(reinterpret_cast<const char*>(check.data()),
                         static_cast<std::size_t>(end - check.begin())) != kCheckConstant) {
        return HeaderVerdict::WrongKey;
    }
    ContainerHeader h;
    h.version = header[kVersionOffset];
    h.paddedLength = GetLe32(header.data() + kPaddedLengthOffset);
    h.sourceLength = GetLe32(header.data() + kSourceLengthOffset);
    if (h.version > kContainerVersion) {
        return HeaderVerdict::BadFormat;
    }
    const auto plain = ConstantBlock(kPlainConstant);
    if (!std::equal(plain.begin(), plain.end(), header.begin() + kPlainOffset)) {
        return HeaderVerdict::BadFormat;
    }
    if (h.paddedLength != PaddedContentLength(h.sourceLength)) {
        return HeaderVerdict::BadFormat;
    }
    const std::uint64_t needed = kContainerContentOffset + std::uint64_t{h.paddedLength};
    if (fileSize < needed || fileSize - needed > kContainerMaxTrailingBytes) {
        return HeaderVerdict::BadFormat;
    }
    if (out != nullptr) {
        *out = h;
    }
    return HeaderVerdict::Ok;
}

ContainerFileRecord DescribeSourceFile(const struct stat& st, const std::string& absolutePath) {
    ContainerFileRecord record;
    record.attributes = (st.st_mode & 0222) == 0 ? kAttributeReadOnly : kAttributeNormal;
    // stat has no birth time; the last change is the closest it offers.
    record.creationTime = ToFileTime(st.st_ctim);
    record.accessTime = ToFileTime(st.st_atim);
    record.writeTime = ToFileTime(st.st_mtim);
    record.size = static_cast<std::uint64_t>(st.st_size);
    record.path = absolutePath;
    return record;
}

ContainerFileRecord DescribeBytes(const std::string& path) {
    ContainerFileRecord record;
    record.attributes = kAttributeNormal;
    record.path = path;
    return record;
}

ContainerRecordBytes EncodeFileRecord(const ContainerFileRecord& record) {
    ContainerRecordBytes bytes{};
    std::uint8_t* p = bytes.data();
    PutLe32(p, record.attributes);
    PutFileTime(p + 4, record.creationTime);
    PutFileTime(p + 12, record.accessTime);
    PutFileTime(p + 20, record.writeTime);
    PutLe32(p + 28, static_cast<std::uint32_t>(record.size >> 32));  // size, high half first
    PutLe32(p + 32, static_cast<std::uint32_t>(record.size));
    std::size_t n = std::min(record.path.size(), kRecordPathBytes - 1);
    while (n > 0 && n < record.path.size() && (static_cast<unsigned char>(record.path[n]) & 0xC0) == 0x80) {
        --n;  // do not cut a UTF-8 character
    }
    std::memcpy(p + kRecordPathOffset, record.path.data(), n);
    PutLe32(p + kRecordIndexOffset, record.index);
    PutLe32(p + kRecordSpareOffset, record.spare);
    return bytes;
}

bool DecodeFileRecord(std::span<const std::uint8_t> bytes, ContainerFileRecord* out) {
    if (bytes.size() < kContainerRecordSize) {
        return false;
    }
    const std::uint8_t* p = bytes.data();
    ContainerFileRecord record;
    record.attributes = GetLe32(p);
    record.creationTime = GetFileTime(p + 4);
    record.accessTime = GetFileTime(p + 12);
    record.writeTime = GetFileTime(p + 20);
    record.size = (std::uint64_t{GetLe32(p + 28)} << 32) | GetLe32(p + 32);
    const auto* path = reinterpret_cast<const char*>(p + kRecordPathOffset);
    record.path.assign(path, strnlen(path, kRecordPathBytes));
    record.index = GetLe32(p + kRecordIndexOffset);
    record.spare = GetLe32(p + kRecordSpareOffset);
    if (record.index != 0) {
        return false;
    }
    if (out != nullptr) {
        *out = std::move(record);
    }
    return true;
}

}  // namespace tidewell
