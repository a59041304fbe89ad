#include "runtime/daytime_reply.h"

#include <gtest/gtest.h>

#include <tuple>

#include <string>

namespace tidewell {
namespace {

using namespace std::string_literals;

const std::string kReply = "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(NIST) * \n";

using ParseCase = std::tuple<const char*, std::string, std::optional<DaytimeTime>>;

TEST(DaytimeReplyTest, ReadsTheTimeAtTheFixedOffsetsOnlyWhenTheReplyCarriesTheMarker) {
    const ParseCase cases[] = {
        {"a reply as NIST sends it", kReply, DaytimeTime{2010, 5, 6, 23, 30, 10}},
        {"the marker anywhere after offset 0", "\nNIST3 10-05-06 01:02:03", DaytimeTime{2010, 5, 6, 1, 2, 3}},
        {"no marker", "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(USNO) * \n", std::nullopt},
        {"the marker only at offset 0", "NIST3 10-05-06 23:30:10 50 0 0 450.4", std::nullopt},
        {"the marker beyond 50 bytes", "\n55323 10-05-06 23:30:10" + std::string(30, ' ') + "NIST",
         std::nullopt},
        {"cut before the seconds", "\nNIST3 10-05-06 23:30:1", std::nullopt},
        {"no colons: another reply form", "\n55323 10-05-06 23-30-10 UTC(NIST)", std::nullopt},
        {"a leap second", "\n55323 10-05-06 23:59:60 UTC(NIST)", std::nullopt},
        {"nul bytes are characters like any other", "\n\0\0\0\0\0 10-05-06 12:34:56 UTC(NIST)"s,
         DaytimeTime{2010, 5, 6, 12, 34, 56}},
        {"no such day", "\n55323 10-02-30 12:34:56 UTC(NIST)", std::nullopt},
    };
    for (const auto& [note, reply, expected] : cases) {
        EXPECT_EQ(ParseDaytimeReply(reply), expected) << note;
    }
}

}  // namespace
}  // namespace tidewell
