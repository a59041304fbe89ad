#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "crypto/rc5.h"

struct stat;

namespace tidewell {

// Layout of a protected file container. Offsets in bytes:
//    0   8  check block: kCheckConstant and a zero byte, RC5-encrypted with the key
//    8   1  format version, kContainerVersion
//    9   8  kPlainConstant and a zero byte, in plain
//   17   3  zero
//   20   4  padded content length (little-endian): the content part, a multiple of 8
//   24   4  source length (little-endian): the exact number of bytes restored
//   28   4  zero
//   32 312  file record of the source, RC5-encrypted (it names the source's path)
//  344   .  content: the source, RC5-encrypted in chunks of kContainerChunkSize; the last
//           block is filled with zero bytes before encryption
// A container holds exactly one file, so the record's index field is 0 and the spare field
// is 0; the record sits at 32 + index * 312. Up to 7 zero bytes may follow the content: the
// outer layer of the schedule file pads to whole blocks and hands them back on load.
inline constexpr std::size_t kContainerHeaderSize = 32;
inline constexpr std::size_t kContainerRecordSize = 312;
inline constexpr std::size_t kContainerContentOffset = kContainerHeaderSize + kContainerRecordSize;
inline constexpr std::size_t kContainerChunkSize = 4096;
inline constexpr std::size_t kContainerMaxTrailingBytes = Rc5::kBlockSize - 1;
inline constexpr std::uint8_t kContainerVersion = 0x21;
// Both constants are 7 printable characters; a container written with others is not ours.
inline constexpr std::string_view kCheckConstant = "TwlSeal";
inline constexpr std::string_view kPlainConstant = "TwlCase";
// The largest source whose padded length still fits the 32-bit length fields.
inline constexpr std::uint64_t kContainerMaxSourceLength = 0xFFFFFFF8u;
// Keys are 6 to 16 characters long.
inline constexpr std::size_t kContainerMinKeyLength = 6;
inline constexpr std::size_t kContainerMaxKeyLength = 16;

using ContainerHeaderBytes = std::array<std::uint8_t, kContainerHeaderSize>;
using ContainerRecordBytes = std::array<std::uint8_t, kContainerRecordSize>;

// The smallest multiple of 8 that is at least n.
constexpr std::uint64_t PaddedContentLength(std::uint64_t n) {
    return (n + 7) / 8 * 8;
}

ContainerHeaderBytes BuildContainerHeader(const Rc5& cipher, std::uint32_t sourceLength);

struct ContainerHeader {
    std::uint8_t version = 0;
    std::uint32_t paddedLength = 0;
    std::uint32_t sourceLength = 0;
};

enum class HeaderVerdict {
    Ok,
    WrongKey,   // the check block does not decrypt to kCheckConstant
    BadFormat,  // newer version, not our container, or lengths that the file cannot hold
};

// Checks a header read from a container of fileSize bytes (fileSize counts the whole file).
// The header is untrusted: Ok only when the file holds exactly the header, the record, the
// padded content and at most kContainerMaxTrailingBytes more.
HeaderVerdict ParseContainerHeader(std::span<const std::uint8_t> header, const Rc5& cipher,
                                   std::uint64_t fileSize, ContainerHeader* out);

// The source as a directory listing describes it: attributes, creation, access and write
// times (100-ns ticks since 1601) and size, followed by its full path.
struct ContainerFileRecord {
    std::uint32_t attributes = 0;
    std::uint64_t creationTime = 0;
    std::uint64_t accessTime = 0;
    std::uint64_t writeTime = 0;
    std::uint64_t size = 0;
    std::string path;  // stored cut to 259 bytes, never inside a UTF-8 character
    std::uint32_t index = 0;
    std::uint32_t spare = 0;
};

ContainerFileRecord DescribeSourceFile(const struct stat& st, const std::string& absolutePath);
// Bytes in memory to be kept as the file at `path`: a plain file without times.
ContainerFileRecord DescribeBytes(const std::string& path);

// The plain record bytes; the caller encrypts them.
ContainerRecordBytes EncodeFileRecord(const ContainerFileRecord& record);
// Reads decrypted record bytes; false when the record is not one of ours (index other than 0).
bool DecodeFileRecord(std::span<const std::uint8_t> bytes, ContainerFileRecord* out);

}  // namespace tidewell
