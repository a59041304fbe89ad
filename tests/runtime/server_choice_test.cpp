#include "runtime/server_choice.h"

#include <gtest/gtest.h>

namespace tidewell {
namespace {

std::vector<std::string> Addresses(const std::vector<DaytimeServer>& servers) {
    std::vector<std::string> addresses;
    for (const DaytimeServer& server : servers) addresses.push_back(server.address);
    return addresses;
}

TEST(ServerChoice, TheChosenServerIsAskedFirstAndTheOthersKeepTheirOrder) {
    const std::vector<DaytimeServer> servers{{"10.0.0.1"}, {"10.0.0.2"}, {"10.0.0.3"}, {"10.0.0.4"}};
    EXPECT_EQ(Addresses(ServersStartingWith(servers, "10.0.0.3")),
              (std::vector<std::string>{"10.0.0.3", "10.0.0.1", "10.0.0.2", "10.0.0.4"}));
    EXPECT_EQ(Addresses(ServersStartingWith(servers, "10.0.0.1")), Addresses(servers));
    EXPECT_EQ(Addresses(ServersStartingWith(servers, "192.0.2.9")), Addresses(servers));
    EXPECT_EQ(Addresses(ServersStartingWith(servers, "")), Addresses(servers));
}

}  // namespace
}  // namespace tidewell
