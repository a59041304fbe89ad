#include "runtime/server_thread.h"

#include <gtest/gtest.h>

#include <future>
#include <tuple>

#include "platform/posix_network.h"
#include "runtime/unattended_clock_sync.h"
#include "support/daytime_server.h"
#include "support/fake_clock_setter.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using std::chrono::milliseconds;
using testing::FakeDaytimeServer;

constexpr std::chrono::seconds kPatience{20};
const std::string kReply = "\n55323 10-05-06 23:30:10 50 0 0 450.4 UTC(NIST) * \n";

class ServerThreadTest : public ::testing::Test {
protected:
    ClockSyncConfig Config(const FakeDaytimeServer& server) {
        return {{{FakeDaytimeServer::kAddress, server.Port()}},
                milliseconds(5000),
                milliseconds(60000),
                milliseconds(60000)};
    }
    ClockSyncPorts Ports() { return {m_network, m_setter, m_clock, m_zone}; }

    PosixNetwork m_network;
    testing::FakeClockSetter m_setter;
    TestClock m_clock{DateTime::FromParts(2010, 5, 7, 7, 29, 55)};
    testing::FixedTimeZone m_zone{-480};
};

using ReportCase = std::tuple<const char*, std::string, int64_t, ServerThreadState>;

TEST_F(ServerThreadTest, ReportsTheEndOfThePassToItsOwner) {
    const ReportCase cases[] = {
        {"success", kReply, 0, ServerThreadState::done},
        {"failure", "\nno marker here", kServerThreadFailure, ServerThreadState::failed},
    };
    for (const auto& [note, reply, lParam, state] : cases) {
        auto server = FakeDaytimeServer::Answering({reply});
        std::promise<ServerThreadReport> reported;
        CServerThread worker(Config(*server), Ports(),
                             [&](const ServerThreadReport& r) { reported.set_value(r); });
        auto report = reported.get_future();
        ASSERT_EQ(report.wait_for(kPatience), std::future_status::ready) << note;
        const ServerThreadReport got = report.get();
        EXPECT_EQ(got.message, kServerThreadMessage) << note;
        EXPECT_EQ(got.lParam, lParam) << note;
        while (!worker.Finished()) std::this_thread::yield();
        EXPECT_EQ(worker.State(), state) << note;
    }
}

TEST_F(ServerThreadTest, ClosingTheOwnerCancelsAWaitingPassWithoutAReport) {
    auto server = FakeDaytimeServer::Silent();
    bool reported = false;
    {
        CServerThread worker(Config(*server), Ports(), [&](const ServerThreadReport&) { reported = true; });
        ASSERT_TRUE(server->WaitForAccepted(1));
        EXPECT_EQ(worker.State(), ServerThreadState::working);
    }  // the receive would wait a minute: the cancel ends it
    EXPECT_FALSE(reported);
    EXPECT_TRUE(m_setter.Calls().empty());
}

TEST_F(ServerThreadTest, UnattendedSynchronizationRunsOnePassAtATime) {
    auto silent = FakeDaytimeServer::Silent();
    {
        UnattendedClockSync sync(Config(*silent), Ports());
        EXPECT_TRUE(sync.SynchronizeClockUnattended("time-a"));
        ASSERT_TRUE(silent->WaitForAccepted(1));
        EXPECT_TRUE(sync.SynchronizeClockUnattended("time-b"));
    }
    EXPECT_EQ(silent->Accepted(), 1);
}

}  // namespace
}  // namespace tidewell
