#pragma once

#include <string>

#include "platform/power_control.h"

namespace tidewell {

struct LogindOptions {
    std::string busAddress;  // the bus logind is on; empty: the system bus
    std::string sessionId;   // the session log off ends; empty: $XDG_SESSION_ID, else asks logind
};

// System operations through systemd-logind: Suspend, Hibernate, PowerOff and Reboot without
// interactive authorization (nobody may be at the screen when a task runs); force uses the
// *WithFlags variant with the flag that skips inhibitors and, on a logind too old to know it,
// the plain method, which there overrides block locks whenever the policy lets the user do so.
// Log off is TerminateSession, with or without force: logind has no gentler way to end a session.
// Each call opens its own connection and waits at most a few seconds for the reply.
class LogindPowerControl final : public PowerControl {
public:
    explicit LogindPowerControl(LogindOptions options = {});

    Result Perform(PowerOperation operation, bool force) override;

private:
    LogindOptions m_options;
};

}  // namespace tidewell
