#include "app/system_tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/program_icon.h"

namespace tidewell {

CSystemTray::CSystemTray(QAction* showHide, QAction* scheduling, QAction* about, QAction* stopSound,
                         QObject* parent)
    : QObject(parent),
      m_menu(new QMenu),
      m_icon(new QSystemTrayIcon(ProgramIcon(), this)),
      m_hostCheck(new QTimer(this)),
      m_hostAvailable(QSystemTrayIcon::isSystemTrayAvailable()) {
    m_menu->setObjectName("trayMenu");
    m_menu->addAction(showHide);
    m_menu->setDefaultAction(showHide);
    m_menu->addSeparator();
    m_menu->addAction(scheduling);
    m_menu->addSeparator();
    m_menu->addAction(about);
    m_menu->addSeparator();
    m_menu->addAction(stopSound);
    m_icon->setObjectName("trayIcon");
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
    m_icon->show();
    connect(m_hostCheck, &QTimer::timeout, this, &CSystemTray::CheckHost);
    m_hostCheck->start(kHostCheckMs);
}

CSystemTray::~CSystemTray() {
    delete m_menu;
}

void CSystemTray::SetToolTip(const QString& text) {
    m_icon->setToolTip(text);
}

bool CSystemTray::IsShown() const {
    return m_icon->isVisible();
}

void CSystemTray::CheckHost() {
    const bool available = QSystemTrayIcon::isSystemTrayAvailable();
    if (available && !m_hostAvailable) {
        // A new tray host knows nothing of the icon: add it again.
        m_icon->hide();
        m_icon->show();
    }
    m_hostAvailable = available;
}

}  // namespace tidewell
