#pragma once

#include <string>

namespace tidewell {

// The tray icon's part in a run notice. The Qt shell draws it; tests record it.
class TrayNoticeService {
public:
    virtual ~TrayNoticeService() = default;
    // The tray tip becomes `tip` and the icon shows the first frame of its run animation.
    virtual void StartRunAnimation(const std::string& tip) = 0;
    // The next frame of the run animation; called once a second while it lasts.
    virtual void NextRunAnimationFrame() = 0;
    // The normal icon returns; the window caption and the tray tip are refreshed.
    virtual void EndRunAnimation() = 0;
};

}  // namespace tidewell
