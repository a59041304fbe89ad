#include "app/program/command_launcher.h"

#include <QSocketNotifier>

#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

CommandLauncher::CommandLauncher(Launcher& launcher, MessageBoxService& messageBox, QObject* parent)
    : QObject(parent), m_launcher(launcher), m_messageBox(messageBox) {}

Result CommandLauncher::Open(const std::string& target) {
    OpenerWatch watch;
    Result opened = m_launcher.OpenFollowed(target, watch);
    if (!opened || watch.fd < 0) return opened;
    auto* ended = new QSocketNotifier(watch.fd, QSocketNotifier::Read, this);
    connect(ended, &QSocketNotifier::activated, this, [this, ended, watch]() mutable {
        ended->setEnabled(false);
        ended->deleteLater();
        if (Result outcome = m_launcher.OpenerEnded(watch); !outcome) {
            MessageBoxCall call;
            call.text = outcome.message();
            call.caption = LoadMessage(IDS_KLN_ERROR);
            call.style = MB_OK | MB_ICONERROR;
            m_messageBox.PostMessageBox(std::move(call));
        }
    });
    return opened;
}

Result CommandLauncher::Start(const std::string& program, const std::string& parameters,
                              const std::string& folder) {
    return m_launcher.Start(program, parameters, folder);
}

}  // namespace tidewell
