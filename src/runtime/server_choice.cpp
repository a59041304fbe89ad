#include "runtime/server_choice.h"

#include <algorithm>

namespace tidewell {

std::vector<DaytimeServer> ServersStartingWith(std::vector<DaytimeServer> servers, std::string_view address) {
    auto chosen = std::find_if(servers.begin(), servers.end(),
                               [address](const DaytimeServer& server) { return server.address == address; });
    if (chosen != servers.end()) std::rotate(servers.begin(), chosen, chosen + 1);
    return servers;
}

}  // namespace tidewell
