#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/power_control.h"
#include "ui_ports/countdown_window.h"
#include "ui_ports/notice_window.h"

namespace tidewell {

// Notice windows for tests: each stays open until the test closes it.
class RecordingNoticeWindow : public NoticeWindowService {
public:
    struct Shown {
        std::string caption;
        std::string text;
        std::function<void()> closed;
    };
    void ShowNotice(const std::string& caption, const std::string& text,
                    std::function<void()> closed) override {
        shown.push_back({caption, text, std::move(closed)});
    }
    std::vector<Shown> shown;
};

// Count-down windows for tests: each waits until the test ends it with an outcome.
class RecordingCountdownWindow : public CountdownWindowService {
public:
    struct Shown {
        CountdownRequest request;
        std::function<void(CountdownOutcome)> done;
    };
    void ShowCountdown(const CountdownRequest& request, std::function<void(CountdownOutcome)> done) override {
        shown.push_back({request, std::move(done)});
    }
    std::vector<Shown> shown;
};

// Power control for tests: records the operations; `failure` set makes it refuse them.
class RecordingPowerControl : public PowerControl {
public:
    Result Perform(PowerOperation operation, bool) override {
        performed.push_back(operation);
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::refused, failure);
    }
    std::vector<PowerOperation> performed;
    std::string failure;
};

}  // namespace tidewell
