#include "runtime/clock_sync.h"

namespace tidewell {

std::vector<DaytimeServer> DefaultDaytimeServers() {
    // Gaithersburg, then Fort Collins (WWV), then Boulder, then the University of Colorado.
    return {
        {"129.6.15.28"},    {"129.6.15.29"},     {"129.6.15.30"},  {"129.6.15.27"},  {"129.6.15.26"},
        {"132.163.97.1"},   {"132.163.97.2"},    {"132.163.97.3"}, {"132.163.97.4"}, {"132.163.97.6"},
        {"132.163.96.1"},   {"132.163.96.2"},    {"132.163.96.3"}, {"132.163.96.4"}, {"132.163.96.6"},
        {"128.138.140.44"}, {"128.138.141.172"},
    };
}

}  // namespace tidewell
