#include "platform/system_clock_setter.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "text/messages.h"

namespace tidewell {

bool HasTimeCapability() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    return (data[CAP_TO_INDEX(CAP_SYS_TIME)].effective & CAP_TO_MASK(CAP_SYS_TIME)) != 0;
}

Result SystemClockSetter::SetSystemClock(int64_t utcMicroseconds, const CancelFlag& cancel) {
    if (HasTimeCapability()) {
        timespec value{};
        value.tv_sec = static_cast<time_t>(utcMicroseconds / 1'000'000);
        value.tv_nsec = static_cast<long>(utcMicroseconds % 1'000'000) * 1000;
        if (value.tv_nsec < 0) {
            value.tv_sec -= 1;
            value.tv_nsec += 1'000'000'000;
        }
        if (clock_settime(CLOCK_REALTIME, &value) == 0) return Result::Ok();
        // A container may hold the capability and still be kept off the clock: ask timedated.
        if (errno != EPERM) {
            return Result::Fail(ErrorKind::invalid, LoadMessage(IDS_MESSAGE_PROMPT_ADMIN_MODE_REQUIRED));
        }
    }
    return m_timedated.SetSystemClock(utcMicroseconds, cancel);
}

bool SystemClockSetter::CanSetClock() {
    return HasTimeCapability() || m_timedated.CanSetClock();
}

}  // namespace tidewell
