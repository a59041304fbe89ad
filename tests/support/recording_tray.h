#pragma once

#include <string>
#include <vector>

#include "ui_ports/tray_notice.h"

namespace tidewell {

// The tray for tests: records the tips of the run animation.
class RecordingTray : public TrayNoticeService {
public:
    void StartRunAnimation(const std::string& tip) override { tips.push_back(tip); }
    void NextRunAnimationFrame() override {}
    void EndRunAnimation() override {}

    std::vector<std::string> tips;
};

}  // namespace tidewell
