#pragma once

#include <ostream>

#include "ui_ports/message_box.h"

namespace tidewell::cli {

// Prints each message instead of showing it, and answers OK (or the default
// of a question) so that nothing is switched off.
class ConsoleMessageBox final : public MessageBoxService {
public:
    explicit ConsoleMessageBox(std::ostream& out) : m_out(out) {}
    int Shown() const { return m_shown; }
    // Nothing here waits for a user: printed at once and answered like a shown box.
    void PostMessageBox(MessageBoxCall call, Answered answered = {}) override {
        const MessageBoxAnswer answer = Show(call);
        if (answered) answered(answer);
    }

protected:
    MessageBoxAnswer Show(const MessageBoxCall& call) override;

private:
    std::ostream& m_out;
    int m_shown = 0;
};

}  // namespace tidewell::cli
