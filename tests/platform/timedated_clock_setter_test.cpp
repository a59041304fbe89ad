#include "platform/timedated_clock_setter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/dbus_mock.h"

namespace tidewell {
namespace {

constexpr const char* kName = "org.freedesktop.timedate1";
// 2010-05-06 23:30:10 UTC.
constexpr int64_t kInstant = 1273188610LL * 1'000'000;

struct Timedated : testing::DbusMock {
    explicit Timedated(bool ntp)
        : DbusMock("timedated", kName, "/org/freedesktop/timedate1",
                   ntp ? R"({"NTP": true})" : R"({"NTP": false})") {}
};

TEST(TimedatedClockSetterTest, SetsTheInstantAbsoluteAndInteractiveOnlyWhileNtpIsOff) {
    CancelFlag cancel;
    Timedated ntpOff(false);
    TimedatedClockSetter setter(ntpOff.Address());
    EXPECT_TRUE(setter.CanSetClock());
    ASSERT_TRUE(setter.SetSystemClock(kInstant, cancel).ok());
    const std::vector<std::string> calls = ntpOff.TakeCalls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "SetTime 1273188610000000 False True"), calls.end());
    Timedated inStep(true);
    EXPECT_FALSE(TimedatedClockSetter(inStep.Address()).CanSetClock());
}

TEST(TimedatedClockSetterTest, NoServiceOrARefusalIsAFailure) {
    CancelFlag cancel;
    testing::PrivateBus empty;
    TimedatedClockSetter nobody(empty.Address());
    EXPECT_FALSE(nobody.CanSetClock());
    const Result result = nobody.SetSystemClock(kInstant, cancel);
    EXPECT_EQ(result.kind(), ErrorKind::unavailable);
    EXPECT_EQ(
        result.message(),
        "Administrator privileges are required to set the system clock. Please log in as an administrator "
        "and try again.");
    Timedated refusing(false);
    refusing.Refuse(kName, "SetTime", "xbb", "org.freedesktop.DBus.Error.AccessDenied", "denied");
    EXPECT_EQ(TimedatedClockSetter(refusing.Address()).SetSystemClock(kInstant, cancel).kind(),
              ErrorKind::refused);
}

}  // namespace
}  // namespace tidewell
