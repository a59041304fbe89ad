#include "crypto/protected_container.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

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

}  // namespace
}  // namespace tidewell
