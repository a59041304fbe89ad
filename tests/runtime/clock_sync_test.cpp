#include "runtime/clock_sync.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/posix_network.h"
#include "runtime/daytime_reply.h"
#include "runtime/server_choice.h"
#include "support/daytime_server.h"
#include "support/fake_clock_setter.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace std::string_literals;
using std::chrono::milliseconds;
using testing::FakeDaytimeServer;

const std::string kReply = "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(NIST) * \n";
const std::string kOtherReply = "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(USNO) * \n";
// 2010-05-06 23:30:10 UTC.
constexpr int64_t kReplyInstant = 1273188610LL * 1'000'000;

DaytimeServer At(const FakeDaytimeServer& server) {
    return {FakeDaytimeServer::kAddress, server.Port()};
}

TEST(DaytimeReplyTest, ReadsTheTimeAtTheFixedOffsetsOnlyWhenTheReplyCarriesTheMarker) {
    const std::tuple<const char*, std::string, std::optional<DaytimeTime>> cases[] = {
        {"a reply as NIST sends it", kReply, DaytimeTime{2010, 5, 6, 23, 30, 10}},
        {"the marker anywhere after offset 0", "\nNIST3 10-05-06 01:02:03", DaytimeTime{2010, 5, 6, 1, 2, 3}},
        {"no marker", kOtherReply, std::nullopt},
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
    for (const auto& [note, reply, expected] : cases) EXPECT_EQ(ParseDaytimeReply(reply), expected) << note;
}

class ClockSyncTest : public ::testing::Test {
protected:
    ClockSyncOutcome Run(const std::vector<DaytimeServer>& servers, NetworkPort* network = nullptr) {
        m_config.servers = servers;
        return SynchronizeClock(m_config, {network ? *network : m_network, m_setter, m_clock, m_zone},
                                m_cancel);
    }

    PosixNetwork m_network;
    testing::FakeClockSetter m_setter;
    TestClock m_clock{DateTime::FromParts(2010, 5, 7, 7, 29, 55)};
    testing::FixedTimeZone m_zone{-480};
    CancelFlag m_cancel;
    ClockSyncConfig m_config{{}, milliseconds(5000), milliseconds(5000), milliseconds(60000)};
};

TEST_F(ClockSyncTest, AReplySplitAcrossTwoPacketsIsGatheredWhole) {
    auto server = FakeDaytimeServer::Answering({kReply.substr(0, 20), kReply.substr(20)}, true);
    testing::ObservedNetwork network(m_network, [&] { server->Release(); });
    const ClockSyncOutcome outcome = Run({At(*server)}, &network);
    ASSERT_TRUE(outcome.result.ok());
    EXPECT_EQ(m_setter.Calls(), std::vector<int64_t>{kReplyInstant});
}

// A silent server times out and the next one is asked, until the pass reaches its limit.
TEST_F(ClockSyncTest, SilentServersTimeOutUntilThePassLimit) {
    m_config.receiveTimeout = milliseconds(100);
    std::vector<std::unique_ptr<FakeDaytimeServer>> silent;
    std::vector<DaytimeServer> servers;
    for (int i = 0; i < 6; ++i) {
        silent.push_back(FakeDaytimeServer::Silent());
        servers.push_back(At(*silent.back()));
    }
    auto answering = FakeDaytimeServer::Answering({kReply});
    ASSERT_TRUE(Run({servers[0], At(*answering)}).result.ok());
    m_config.passLimit = milliseconds(250);
    EXPECT_EQ(Run(servers).result.kind(), ErrorKind::timedOut);
    EXPECT_EQ(silent.back()->Accepted(), 0);
}

TEST_F(ClockSyncTest, ARefusedClockChangeIsAFailureNotASuccess) {
    m_setter.Refuse(ErrorKind::refused, "no right");
    auto server = FakeDaytimeServer::Answering({kReply});
    const ClockSyncOutcome outcome = Run({At(*server)});
    EXPECT_EQ(outcome.result.kind(), ErrorKind::refused);
    EXPECT_EQ(outcome.message.text, "no right");
}

// The reply's own date is set, whichever side of midnight the local clock is on; a reply days away
// sets nothing.
TEST_F(ClockSyncTest, TheClockTakesTheServersDateAndRefusesAReplyDaysAway) {
    m_zone = testing::FixedTimeZone{0};
    const std::tuple<const char*, DateTime, std::string, ErrorKind, DateTime> cases[] = {
        {"local just before midnight, server after", DateTime::FromParts(2026, 5, 7, 23, 59, 58),
         "\n61168 26-05-08 00:00:02 50 0 0 450.4 UTC(NIST) * \n", ErrorKind::none,
         DateTime::FromParts(2026, 5, 8, 0, 0, 2)},
        {"local just after midnight, server before", DateTime::FromParts(2026, 5, 8, 0, 0, 1),
         "\n61167 26-05-07 23:59:57 50 0 0 450.4 UTC(NIST) * \n", ErrorKind::none,
         DateTime::FromParts(2026, 5, 7, 23, 59, 57)},
        {"three days away", DateTime::FromParts(2026, 5, 7, 12),
         "\n61170 26-05-10 12:00:00 50 0 0 450.4 UTC(NIST) * \n", ErrorKind::damaged,
         DateTime::FromParts(2026, 5, 10, 12)},
    };
    for (const auto& [note, before, reply, kind, after] : cases) {
        m_clock.Set(before);
        const size_t calls = m_setter.Calls().size();
        auto server = FakeDaytimeServer::Answering({reply});
        const ClockSyncOutcome outcome = Run({At(*server)});
        EXPECT_EQ(outcome.result.kind(), kind) << note;
        EXPECT_EQ(outcome.after, after) << note;
        EXPECT_EQ(m_setter.Calls().size() - calls, kind == ErrorKind::none ? 1u : 0u) << note;
    }
}

}  // namespace
}  // namespace tidewell
