#pragma once

#include <string>
#include <vector>

#include "ui_ports/tray_notice.h"

namespace tidewell {

// The tray for tests: records the run animation.
class RecordingTray : public TrayNoticeService {
public:
    void StartRunAnimation(const std::string& tip) override { tips.push_back(tip); }
    void NextRunAnimationFrame() override { ++frames; }
    void EndRunAnimation() override { ++ends; }

    std::vector<std::string> tips;
    int frames = 0;
    int ends = 0;
};

}  // namespace tidewell
