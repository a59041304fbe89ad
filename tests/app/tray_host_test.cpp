#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QTest>
#include <vector>

#include "app/main_window/tray_host.h"
#include "support/private_bus.h"

namespace tidewell::testing {
namespace {

// A desktop's tray host comes and goes on a private session bus: the program follows the name.
TEST(TrayHostTest, FollowsTheStatusNotifierWatcherOnTheBus) {
    PrivateBus bus;
    const QString address = QString::fromStdString(bus.Address());
    const QString watcherName = QString::fromLatin1(StatusNotifierTrayHost::kWatcherName);
    {
        QDBusConnection program = QDBusConnection::connectToBus(address, "trayHostProgram");
        QDBusConnection desktop = QDBusConnection::connectToBus(address, "trayHostDesktop");
        ASSERT_TRUE(program.isConnected());
        ASSERT_TRUE(desktop.isConnected());
        StatusNotifierTrayHost host(program, [] { return false; });
        std::vector<bool> changes;
        QObject::connect(&host, &TrayHost::availabilityChanged,
                         [&](bool available) { changes.push_back(available); });
        EXPECT_FALSE(host.Available());

        ASSERT_TRUE(desktop.registerService(watcherName));
        EXPECT_TRUE(QTest::qWaitFor([&] { return host.Available(); }, 5000));
        StatusNotifierTrayHost laterStart(program, [] { return false; });
        EXPECT_TRUE(laterStart.Available());

        ASSERT_TRUE(desktop.unregisterService(watcherName));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !host.Available(); }, 5000));
        EXPECT_EQ(changes, (std::vector<bool>{true, false}));
    }
    QDBusConnection::disconnectFromBus("trayHostProgram");
    QDBusConnection::disconnectFromBus("trayHostDesktop");
}

}  // namespace
}  // namespace tidewell::testing
