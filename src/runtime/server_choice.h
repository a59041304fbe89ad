#pragma once

#include <string_view>
#include <vector>

#include "runtime/clock_sync.h"

namespace tidewell {

// The servers in the order a synchronization asks them when the user chose one: the chosen
// server first, then the others in their order. An address that is not in the list leaves the
// order as it is.
std::vector<DaytimeServer> ServersStartingWith(std::vector<DaytimeServer> servers, std::string_view address);

}  // namespace tidewell
