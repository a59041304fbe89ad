#include "crypto/protected_container.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr std::string_view kKey = "Key-of-12chr";

std::string RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::string out(n, '\0');
    for (char& c : out) c = static_cast<char>(gen());
    return out;
}

std::string Sealed(std::string_view plain, ProtectProgress* progress = nullptr) {
    std::string container;
    EXPECT_TRUE(SealContainer(plain, kKey, DescribeBytes("/data/schedule.rws"), container, progress).ok());
    return container;
}

class StopAfter final : public ProtectProgress {
public:
    explicit StopAfter(std::size_t chunks) : m_chunks(chunks) {}
    bool OnChunk(std::uint64_t done, std::uint64_t total) override {
        reports.emplace_back(done, total);
        return reports.size() < m_chunks;
    }
    std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;

private:
    std::size_t m_chunks;
};

TEST(ProtectedContainerTest, RoundTripsEverySize) {
    for (std::size_t size : {0u, 7u, 8u, 4096u, 4097u, 3u * 1024 * 1024 + 5}) {
        SCOPED_TRACE(size);
        const std::string plain = RandomBytes(size, static_cast<std::uint32_t>(size));
        const std::string container = Sealed(plain);
        ASSERT_EQ(container.size(), kContainerContentOffset + PaddedContentLength(size));
        EXPECT_EQ(container.find("schedule.rws"), std::string::npos) << "the record is encrypted";
        std::string back;
        ASSERT_TRUE(OpenContainer(container, kKey, back).ok());
        EXPECT_EQ(back, plain);
        // The outer layer pads to whole blocks with zero bytes and hands them back.
        ASSERT_TRUE(
            OpenContainer(container + std::string(kContainerMaxTrailingBytes, '\0'), kKey, back).ok());
        EXPECT_EQ(back, plain);
    }
}

TEST(ProtectedContainerTest, WrongKeyFailsAtOnce) {
    std::string plain = "stale";
    const Result result = OpenContainer(Sealed("secret text"), "Key-of-12chX", plain);
    EXPECT_EQ(result.kind(), ErrorKind::wrongPassword);
    EXPECT_EQ(result.message(), LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD));
    EXPECT_EQ(plain, "");
}

TEST(ProtectedContainerTest, DamagedContainersAreRefused) {
    const std::string good = Sealed(RandomBytes(5000, 4));
    const auto with = [&](const std::function<void(std::string&)>& change) {
        std::string bytes = good;
        change(bytes);
        return bytes;
    };
    const std::pair<const char*, std::string> cases[] = {
        {"newer version", with([](std::string& b) { b[8] = 0x22; })},
        {"cut by one byte", with([](std::string& b) { b.pop_back(); })},
        {"cut inside the record", with([](std::string& b) { b.resize(100); })},
        {"a whole block too many", with([](std::string& b) { b.append(8, '\0'); })},
        {"trailing bytes not zero", with([](std::string& b) { b.append(3, 'U'); })},
        {"padded length not the padded source length",
         with([](std::string& b) { b[20] = static_cast<char>(b[20] + 8); })},
        {"huge lengths", with([](std::string& b) { b.replace(20, 8, "\xF8\xFF\xFF\xFF\xF1\xFF\xFF\xFF"); })},
        {"plain constant changed", with([](std::string& b) { b[10] ^= 1; })},
        {"record of another index", with([](std::string& b) { b[kContainerHeaderSize + 300] ^= 1; })},
        {"empty", ""},
    };
    for (const auto& [what, bytes] : cases) {
        std::string plain;
        const Result result = OpenContainer(bytes, kKey, plain);
        EXPECT_EQ(result.kind(), ErrorKind::damaged) << what;
        EXPECT_EQ(result.message(), LoadMessage(IDS_ERROR_FILE_FORMAT_NOT_MATCH)) << what;
    }
}

TEST(ProtectedContainerTest, ProgressAfterEveryChunkAndCancel) {
    const std::string plain = RandomBytes(3 * 4096 + 10, 11);
    StopAfter all(100);
    const std::string container = Sealed(plain, &all);
    const std::uint64_t total = plain.size();
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> expected = {
        {4096, total}, {8192, total}, {12288, total}, {total, total}};
    EXPECT_EQ(all.reports, expected);

    StopAfter two(2);
    std::string out;
    EXPECT_EQ(SealContainer(plain, kKey, {}, out, &two).kind(), ErrorKind::cancelled);
    EXPECT_EQ(two.reports.size(), 2u);
    StopAfter three(3);
    const Result opened = OpenContainer(container, kKey, out, &three);
    EXPECT_EQ(opened.kind(), ErrorKind::cancelled);
    EXPECT_EQ(opened.message(), LoadMessage(IDS_MESSAGE_SECURITY_ENCRYPTION_CANCELED_BY_USER));
    EXPECT_EQ(out, "");
}

}  // namespace
}  // namespace tidewell
