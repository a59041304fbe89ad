#include "app/main_window/system_tray.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>
#include <QTimer>

#include "app/widgets/program_icon.h"

namespace tidewell {
namespace {

constexpr int kIconSize = 64;
constexpr int kNotificationMs = 8000;

// The icon while a task runs: the program's icon with a bright dot in its corner.
QIcon LitIcon() {
    QPixmap picture = ProgramIcon().pixmap(kIconSize, kIconSize);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    painter.setBrush(QColor(255, 170, 0));
    painter.drawEllipse(QRectF(kIconSize * 0.55, kIconSize * 0.55, kIconSize * 0.4, kIconSize * 0.4));
    return QIcon(picture);
}

}  // namespace

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

void CSystemTray::ShowRunFrame(int frame) {
    static const QIcon lit = LitIcon();
    m_icon->setIcon(frame >= 0 && frame % 2 == 0 ? lit : ProgramIcon());
}

void CSystemTray::ShowNotification(const QString& title, const QString& text) {
    if (QSystemTrayIcon::supportsMessages()) m_icon->showMessage(title, text, ProgramIcon(), kNotificationMs);
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
