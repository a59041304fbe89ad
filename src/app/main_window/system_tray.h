#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace tidewell {

// The notification-area icon: tool tip = the window caption, double-click shows or hides the
// window, the context menu offers Show/Hide (the default item), Start/Stop Scheduling, About
// and Stop Sound. When the desktop's tray host goes and comes back, the icon is added again.
// Without a tray the program stays reachable: a second start shows the window.
class CSystemTray final : public QObject {
    Q_OBJECT

public:
    static constexpr int kHostCheckMs = 5000;

    CSystemTray(QAction* showHide, QAction* scheduling, QAction* about, QAction* stopSound,
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

signals:
    void doubleClicked();

private:
    void CheckHost();

    QMenu* m_menu;
    QSystemTrayIcon* m_icon;
    QTimer* m_hostCheck;
    bool m_hostAvailable;
};

}  // namespace tidewell
