#include "platform/system_sleeper.h"

#include <cerrno>
#include <ctime>

namespace tidewell {

void SystemSleeper::Sleep(std::chrono::milliseconds duration) {
    if (duration.count() <= 0) {
        return;
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    struct timespec rest {
        static_cast<std::time_t>(seconds.count()),
            static_cast<long>(std::chrono::nanoseconds(duration - seconds).count())
    };
    while (::nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}

}  // namespace tidewell
