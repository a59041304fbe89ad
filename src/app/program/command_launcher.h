#pragma once

#include <QObject>

#include "platform/launcher.h"

namespace tidewell {

class MessageBoxService;

// The launcher of the window's commands (View Log, Help, Visit Homepage). The desktop's opener
// is followed to its end without waiting for it: when it found nothing to open the target
// with, the user is told once, in a posted box. A failure to start is the caller's to show.
class CommandLauncher final : public QObject, public Launcher {
public:
    CommandLauncher(Launcher& launcher, MessageBoxService& messageBox, QObject* parent = nullptr);

    Result Open(const std::string& target) override;
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override;

private:
    Launcher& m_launcher;
    MessageBoxService& m_messageBox;
};

}  // namespace tidewell
