#include "platform/posix_network.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/daytime_server.h"

namespace tidewell {
namespace {

using std::chrono::milliseconds;
using testing::FakeDaytimeServer;

constexpr milliseconds kLong{60000};

class PosixNetworkTest : public ::testing::Test {
protected:
    Result ConnectTo(const FakeDaytimeServer& server) {
        return m_network.Connect(FakeDaytimeServer::kAddress, server.Port(), kLong, m_cancel, m_connection);
    }

    PosixNetwork m_network;
    CancelFlag m_cancel;
    std::unique_ptr<StreamConnection> m_connection;
};

TEST_F(PosixNetworkTest, ConnectFailuresHaveTheirKind) {
    auto refusing = FakeDaytimeServer::Refusing();
    EXPECT_EQ(ConnectTo(*refusing).kind(), ErrorKind::refused);
    // Names are never looked up.
    EXPECT_EQ(m_network.Connect("localhost", refusing->Port(), kLong, m_cancel, m_connection).kind(),
              ErrorKind::invalid);
    m_cancel.Cancel();
    EXPECT_EQ(ConnectTo(*refusing).kind(), ErrorKind::cancelled);
    EXPECT_EQ(m_connection, nullptr);
}

TEST_F(PosixNetworkTest, ReceiveGivesAtMostTheAskedBytesThenTheEnd) {
    auto server = FakeDaytimeServer::Answering({"0123456789"});
    ASSERT_TRUE(ConnectTo(*server).ok());
    std::string bytes;
    while (bytes.size() < 4)
        ASSERT_TRUE(m_connection->Receive(4 - bytes.size(), kLong, m_cancel, bytes).ok());
    EXPECT_EQ(bytes, "0123");
    while (bytes.size() < 10) ASSERT_TRUE(m_connection->Receive(50, kLong, m_cancel, bytes).ok());
    ASSERT_TRUE(m_connection->Receive(50, kLong, m_cancel, bytes).ok());
    EXPECT_EQ(bytes, "0123456789");
}

TEST_F(PosixNetworkTest, ASilentPeerEndsTheReceiveByTimeOutOrCancel) {
    auto server = FakeDaytimeServer::Silent();
    ASSERT_TRUE(ConnectTo(*server).ok());
    std::string bytes;
    EXPECT_EQ(m_connection->Receive(50, milliseconds(30), m_cancel, bytes).kind(), ErrorKind::timedOut);
    m_cancel.Cancel();
    EXPECT_EQ(m_connection->Receive(50, kLong, m_cancel, bytes).kind(), ErrorKind::cancelled);
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace tidewell
