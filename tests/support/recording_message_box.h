#pragma once

#include <deque>
#include <vector>

#include "ui_ports/message_box.h"

namespace tidewell {

// A message box for tests: records every call and answers from a queue. With the queue
// empty it presses the first button of the set and leaves the check box as it was.
class RecordingMessageBox : public MessageBoxService {
public:
    // The next call presses `button`; the check box ends in its initial state.
    void AnswerNext(int button) { m_answers.push_back({button, false, false}); }
    // The next call presses `button` and leaves the check box in `showNextTime`.
    void AnswerNext(int button, bool showNextTime) { m_answers.push_back({button, true, showNextTime}); }

    // Posted boxes are recorded with the others and stay open until the test closes them.
    void PostMessageBox(MessageBoxCall call, Answered answered = {}) override {
        m_open.push_back({call, std::move(answered)});
        m_calls.push_back(std::move(call));
    }
    std::size_t OpenCount() const { return m_open.size(); }
    // Closes the oldest posted box with the next planned answer.
    void CloseOldest() {
        Open box = std::move(m_open.front());
        m_open.pop_front();
        const MessageBoxAnswer answer = Answer(box.call);
        if (box.answered) box.answered(answer);
    }

    const std::vector<MessageBoxCall>& Calls() const { return m_calls; }
    std::size_t CallCount() const { return m_calls.size(); }
    const MessageBoxCall& LastCall() const { return m_calls.back(); }
    void Clear() {
        m_calls.clear();
        m_answers.clear();
        m_open.clear();
    }

protected:
    MessageBoxAnswer Show(const MessageBoxCall& call) override {
        m_calls.push_back(call);
        return Answer(call);
    }

private:
    MessageBoxAnswer Answer(const MessageBoxCall& call) {
        MessageBoxAnswer answer{MessageBoxButtons(call.style).front(), call.showNextTime};
        if (!m_answers.empty()) {
            const Planned planned = m_answers.front();
            m_answers.pop_front();
            answer.button = planned.button;
            if (planned.setsCheckBox) answer.showNextTime = planned.showNextTime;
        }
        return answer;
    }

    struct Open {
        MessageBoxCall call;
        Answered answered;
    };
    struct Planned {
        int button;
        bool setsCheckBox;
        bool showNextTime;
    };
    std::deque<Planned> m_answers;
    std::vector<MessageBoxCall> m_calls;
    std::deque<Open> m_open;
};

}  // namespace tidewell
