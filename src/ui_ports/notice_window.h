#pragma once

#include <functional>
#include <string>

namespace tidewell {

// The window of a notice task. The Qt shell draws it; tests record it.
class NoticeWindowService {
public:
    virtual ~NoticeWindowService() = default;
    // Shows the notice and returns at once: the window stays open while the scheduling passes go
    // on, and several may be open at a time. `closed` runs once, when the user closes it.
    virtual void ShowNotice(const std::string& caption, const std::string& text,
                            std::function<void()> closed) = 0;
};

}  // namespace tidewell
