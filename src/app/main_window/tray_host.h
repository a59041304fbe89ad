#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>

namespace tidewell {

// Whether the desktop shows tray icons, and when that changes. Without a tray host a hidden
// window could not be reached again: the window then minimizes instead of hiding.
class TrayHost : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    virtual bool Available() const = 0;

signals:
    // A host came or went; also when it changed hosts without a gap.
    void availabilityChanged(bool available);
};

// Tray hosts register the StatusNotifier watcher name on the session bus: its owner is watched,
// so a host that starts or ends later is followed without polling. Where there is no session
// bus, or no watcher but another kind of tray, `otherTray` answers (Qt's own check).
class StatusNotifierTrayHost final : public TrayHost {
    Q_OBJECT

public:
    static constexpr const char* kWatcherName = "org.kde.StatusNotifierWatcher";

    StatusNotifierTrayHost(std::optional<QDBusConnection> bus, std::function<bool()> otherTray,
                           QObject* parent = nullptr);

    bool Available() const override;

private:
    void Follow(bool watcherPresent);

    std::function<bool()> m_otherTray;
    bool m_watcherPresent = false;
};

}  // namespace tidewell
