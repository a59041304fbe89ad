#include "platform/timedated_clock_setter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/mock_service.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

constexpr const char* kName = "org.freedesktop.timedate1";
constexpr const char* kObject = "/org/freedesktop/timedate1";
// 2010-05-06 23:30:10 UTC.
constexpr int64_t kInstant = 1273188610LL * 1'000'000;

class TimedatedClockSetterTest : public ::testing::Test {
protected:
    std::unique_ptr<testing::MockService> StartTimedated(bool ntp) {
        return std::make_unique<testing::MockService>(m_bus, "timedated", kName, kObject,
                                                      ntp ? R"({"NTP": true})" : R"({"NTP": false})",
                                                      m_temp.File("timedated.log"));
    }

    testing::TempDir m_temp;
    testing::PrivateBus m_bus;
    TimedatedClockSetter m_setter{m_bus.Address()};
    CancelFlag m_cancel;
};

TEST_F(TimedatedClockSetterTest, SetTimeCarriesTheInstantAbsoluteAndInteractive) {
    auto service = StartTimedated(false);
    ASSERT_TRUE(m_setter.SetSystemClock(kInstant, m_cancel).ok());
    EXPECT_NE(service->Log().find(" SetTime 1273188610000000 False True\n"), std::string::npos)
        << service->Log();
}

TEST_F(TimedatedClockSetterTest, TheClockCanBeSetOnlyWhileTheServiceDoesNotKeepItInStep) {
    EXPECT_TRUE(StartTimedated(false) && m_setter.CanSetClock());
    EXPECT_FALSE(StartTimedated(true) && m_setter.CanSetClock());
}

TEST_F(TimedatedClockSetterTest, NoServiceOnTheBus) {
    EXPECT_FALSE(m_setter.CanSetClock());
    const Result result = m_setter.SetSystemClock(kInstant, m_cancel);
    EXPECT_EQ(result.kind(), ErrorKind::unavailable);
    EXPECT_EQ(
        result.message(),
        "Administrator privileges are required to set the system clock. Please log in as an administrator "
        "and try again.");
}

TEST_F(TimedatedClockSetterTest, ARefusedAuthorizationIsAFailure) {
    auto service = StartTimedated(false);
    service->AddMethod(kName, "SetTime", "xbb",
                       "raise dbus.exceptions.DBusException('denied', "
                       "name='org.freedesktop.DBus.Error.AccessDenied')");
    EXPECT_EQ(m_setter.SetSystemClock(kInstant, m_cancel).kind(), ErrorKind::refused);
}

}  // namespace
}  // namespace tidewell
