#pragma once

#include "ui_ports/notice_window.h"

namespace tidewell {

// Notices as windows of their own: each stays open, without holding up the program, until the
// user closes it.
class QtNoticeWindow final : public NoticeWindowService {
public:
    void ShowNotice(const std::string& caption, const std::string& text,
                    std::function<void()> closed) override;
};

}  // namespace tidewell
