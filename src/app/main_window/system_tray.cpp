#include "app/main_window/system_tray.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

#include "app/main_window/tray_host.h"
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
                         TrayHost& host, QObject* parent)
    : QObject(parent),
      m_menu(new QMenu),
      m_plainIcon(ProgramIcon()),
      m_icon(new QSystemTrayIcon(m_plainIcon, this)),
      m_host(host) {
    m_menu->setObjectName("trayMenu");
    AddQueued(showHide);
    m_menu->setDefaultAction(m_menu->actions().constLast());
    m_menu->addSeparator();
    AddQueued(scheduling);
    m_menu->addSeparator();
    AddQueued(about);
    m_menu->addSeparator();
    AddQueued(stopSound);
    m_icon->setObjectName("trayIcon");
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) emit doubleClicked();
    });
    connect(&m_host, &TrayHost::availabilityChanged, this, &CSystemTray::FollowHost);
    m_icon->show();
}

void CSystemTray::AddQueued(QAction* command) {
    // An entry of its own that mirrors the command and triggers it from the event loop.
    auto* entry = new QAction(m_menu);
    entry->setObjectName(command->objectName() + QStringLiteral("InTray"));
    auto mirror = [entry, command] {
        entry->setText(command->text());
        entry->setIcon(command->icon());
        entry->setEnabled(command->isEnabled());
    };
    mirror();
    connect(command, &QAction::changed, entry, mirror);
    connect(
        entry, &QAction::triggered, command, [command] { command->trigger(); }, Qt::QueuedConnection);
    m_menu->addAction(entry);
}

CSystemTray::~CSystemTray() {
    delete m_menu;
}

void CSystemTray::SetToolTip(const QString& text) {
    m_icon->setToolTip(text);
}

void CSystemTray::ShowRunFrame(int frame) {
    static const QIcon lit = LitIcon();
    m_icon->setIcon(frame >= 0 && frame % 2 == 0 ? lit : m_plainIcon);
}

void CSystemTray::ShowNotification(const QString& title, const QString& text) {
    if (QSystemTrayIcon::supportsMessages()) m_icon->showMessage(title, text, m_plainIcon, kNotificationMs);
}

bool CSystemTray::IsShown() const {
    return m_icon->isVisible();
}

bool CSystemTray::HostAvailable() const {
    return m_host.Available();
}

void CSystemTray::FollowHost(bool available) {
    if (available) {
        // A new tray host knows nothing of the icon: add it again.
        m_icon->hide();
        m_icon->show();
    }
    emit hostChanged(available);
}

}  // namespace tidewell
