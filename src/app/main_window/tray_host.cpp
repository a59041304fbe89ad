#include "app/main_window/tray_host.h"

#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace tidewell {

StatusNotifierTrayHost::StatusNotifierTrayHost(std::optional<QDBusConnection> bus,
                                               std::function<bool()> otherTray, QObject* parent)
    : TrayHost(parent), m_otherTray(std::move(otherTray)) {
    if (!bus || !bus->isConnected() || bus->interface() == nullptr) return;
    auto* watcher = new QDBusServiceWatcher(QString::fromLatin1(kWatcherName), *bus,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { Follow(true); });
    connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { Follow(false); });
    m_watcherPresent = bus->interface()->isServiceRegistered(QString::fromLatin1(kWatcherName)).value();
}

bool StatusNotifierTrayHost::Available() const {
    return m_watcherPresent || (m_otherTray && m_otherTray());
}

void StatusNotifierTrayHost::Follow(bool watcherPresent) {
    // Told even when another tray answers for both states: a new host must be given the icon.
    m_watcherPresent = watcherPresent;
    emit availabilityChanged(Available());
}

}  // namespace tidewell
