#include "platform/posix_network.h"

#include <gtest/gtest.h>

#include "support/daytime_server.h"

namespace tidewell {
namespace {

using std::chrono::milliseconds;
using testing::FakeDaytimeServer;

TEST(PosixNetworkTest, FailuresHaveTheirKind) {
    PosixNetwork network;
    CancelFlag cancel;
    std::unique_ptr<StreamConnection> connection;
    auto refusing = FakeDaytimeServer::Refusing();
    auto silent = FakeDaytimeServer::Silent();
    const milliseconds wait(60000);
    EXPECT_EQ(network.Connect("127.0.0.1", refusing->Port(), wait, cancel, connection).kind(),
              ErrorKind::refused);
    // Names are never looked up.
    EXPECT_EQ(network.Connect("localhost", silent->Port(), wait, cancel, connection).kind(),
              ErrorKind::invalid);
    ASSERT_TRUE(network.Connect("127.0.0.1", silent->Port(), wait, cancel, connection).ok());
    std::string bytes;
    EXPECT_EQ(connection->Receive(50, milliseconds(30), cancel, bytes).kind(), ErrorKind::timedOut);
    cancel.Cancel();
    EXPECT_EQ(connection->Receive(50, wait, cancel, bytes).kind(), ErrorKind::cancelled);
    EXPECT_TRUE(bytes.empty());
}

}  // namespace
}  // namespace tidewell
