#include "platform/boot_clock.h"

#include <time.h>

namespace tidewell {

int64_t BootTimeMs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
}

}  // namespace tidewell
