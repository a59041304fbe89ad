#include "platform/logind_power_control.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "support/dbus_mock.h"
#include "text/messages.h"

namespace tidewell {
namespace {

using Calls = std::vector<std::string>;

constexpr const char* kManager = "org.freedesktop.login1.Manager";

// systemd-logind played by dbusmock's logind template, with the *WithFlags methods a logind since
// version 209 has (unless `withFlags` is false) and GetSessionByPID added.
class FakeLogind : public testing::DbusMock {
public:
    explicit FakeLogind(bool withFlags = true)
        : DbusMock("logind", "org.freedesktop.login1", "/org/freedesktop/login1") {
        for (const char* method : {"Suspend", "Hibernate", "PowerOff", "Reboot"})
            if (withFlags) SetMethod(kManager, std::string(method) + "WithFlags", "t", "", "");
    }
    void Refuse(const std::string& method, const std::string& in, const std::string& errorName) {
        DbusMock::Refuse(kManager, method, in, errorName, "Told no");
    }
    // Adds a session object with the id, which GetSessionByPID then returns.
    void AddSession(const std::string& id) {
        sd_bus_error error = SD_BUS_ERROR_NULL;
        ASSERT_GE(sd_bus_call_method(Control(), "org.freedesktop.login1", "/org/freedesktop/login1",
                                     "org.freedesktop.DBus.Mock", "AddSession", &error, nullptr, "ssusb",
                                     id.c_str(), "seat0", 1000u, "tester", 1),
                  0);
        SetMethod(kManager, "GetSessionByPID", "u", "o",
                  "ret = '/org/freedesktop/login1/session/" + id + "'");
        TakeCalls();  // the mock's own bookkeeping
    }
};

// Operation, force, what a current logind receives, what a logind receives that refuses the
// skip-inhibitors flag. The four system operations follow one pattern.
std::vector<std::tuple<PowerOperation, bool, Calls, Calls>> CallRows() {
    std::vector<std::tuple<PowerOperation, bool, Calls, Calls>> rows;
    const std::pair<PowerOperation, std::string> methods[] = {{PowerOperation::suspend, "Suspend"},
                                                              {PowerOperation::hibernate, "Hibernate"},
                                                              {PowerOperation::powerOff, "PowerOff"},
                                                              {PowerOperation::reboot, "Reboot"}};
    for (const auto& [operation, method] : methods) {
        rows.push_back({operation, false, {method + " False"}, {method + " False"}});
        rows.push_back(
            {operation, true, {method + "WithFlags 16"}, {method + "WithFlags 16", method + " False"}});
    }
    for (const bool force : {false, true}) {
        rows.push_back(
            {PowerOperation::logOff, force, {"TerminateSession \"c5\""}, {"TerminateSession \"c5\""}});
        rows.push_back({PowerOperation::switchUser, force, {}, {}});
    }
    return rows;
}

TEST(LogindPowerControlTest, CallsTheMethodOfEachOperationAndFallsBackWhenTheFlagIsNotUnderstood) {
    FakeLogind current;
    FakeLogind refusesFlag;
    for (const char* method : {"Suspend", "Hibernate", "PowerOff", "Reboot"})
        refusesFlag.Refuse(std::string(method) + "WithFlags", "t", "org.freedesktop.DBus.Error.InvalidArgs");
    FakeLogind withoutFlagMethods(false);
    for (FakeLogind* logind : {&current, &refusesFlag, &withoutFlagMethods}) {
        LogindPowerControl power({logind->Address(), "c5"});
        for (const auto& [operation, force, withFlags, oldLogind] : CallRows()) {
            ASSERT_TRUE(power.Perform(operation, force).ok());
            Calls expected = logind == &current ? withFlags : oldLogind;
            if (logind == &withoutFlagMethods) {
                std::erase_if(expected, [](const std::string& call) {
                    return call.find("WithFlags") != std::string::npos;  // unknown there, so not recorded
                });
            }
            EXPECT_EQ(logind->TakeCalls(), expected) << static_cast<int>(operation) << force;
        }
    }
}

using RefusalRow = std::tuple<PowerOperation, bool, const char*, const char*, const char*, ErrorKind>;

TEST(LogindPowerControlTest, RefusalsReachTheCallerWithTheirKindAndText) {
    const std::vector<RefusalRow> rows = {
        {PowerOperation::powerOff, false, "PowerOff", "b", "org.freedesktop.DBus.Error.AccessDenied",
         ErrorKind::refused},
        {PowerOperation::reboot, true, "RebootWithFlags", "t",
         "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired", ErrorKind::refused},
        {PowerOperation::suspend, false, "Suspend", "b", "org.freedesktop.login1.BlockedByInhibitorLock",
         ErrorKind::refused},
        {PowerOperation::logOff, false, "TerminateSession", "s", "org.freedesktop.login1.NoSuchSession",
         ErrorKind::notFound},
        {PowerOperation::hibernate, false, "Hibernate", "b", "org.freedesktop.DBus.Error.Failed",
         ErrorKind::io},
    };
    FakeLogind logind;
    LogindPowerControl power({logind.Address(), "c5"});
    for (const auto& [operation, force, method, in, errorName, kind] : rows) {
        logind.Refuse(method, in, errorName);
        const Result result = power.Perform(operation, force);
        EXPECT_EQ(result.kind(), kind) << errorName;
        EXPECT_EQ(result.message(), "Told no\r\n\r\n" + LoadMessage(IDS_ERROR_MISC_ERROR_CODE, errorName));
    }
}

}  // namespace
}  // namespace tidewell
