#pragma once

#include "platform/launcher.h"

namespace tidewell {

// Opens documents and web pages with the desktop's opener. Starting programs belongs to the
// platform's launcher; this one refuses it.
class DesktopLauncher final : public Launcher {
public:
    Result Open(const std::string& target) override;
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override;
};

}  // namespace tidewell
