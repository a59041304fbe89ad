#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace tidewell {

class TrayHost;

// The notification-area icon: tool tip = the window caption, double-click shows or hides the
// window, the context menu offers Show/Hide (the default item), Start/Stop Scheduling, About
// and Stop Sound. When the desktop's tray host goes and comes back, the icon is added again.
// The menu's entries act once the tray's own event has returned: a tray host reaches them
// through the session bus, and what they ask (the password) must not run inside that call.
class CSystemTray final : public QObject {
    Q_OBJECT

public:
    CSystemTray(QAction* showHide, QAction* scheduling, QAction* about, QAction* stopSound, TrayHost& host,
                QObject* parent = nullptr);
    ~CSystemTray() override;

    void SetToolTip(const QString& text);
    // The run animation: even frames show the lit icon, odd frames the plain one; a negative
    // frame ends it.
    void ShowRunFrame(int frame);
    // A desktop notification beside the icon, where the desktop offers one.
    void ShowNotification(const QString& title, const QString& text);
    QMenu* Menu() const { return m_menu; }
    bool IsShown() const;
    // A host shows the icon now: closing the window may hide it.
    bool HostAvailable() const;

signals:
    void doubleClicked();

signals:
    // The tray host came or went.
    void hostChanged(bool available);

private:
    void AddQueued(QAction* command);
    void FollowHost(bool available);

    QMenu* m_menu;
    // Drawn once: a run's notice would otherwise paint every size of it again.
    const QIcon m_plainIcon;
    QSystemTrayIcon* m_icon;
    TrayHost& m_host;
};

}  // namespace tidewell
