#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/admin_password.h"

namespace tidewell::testing {

// Answers the password dialog from a queue (nullopt is Cancel); an empty queue cancels.
class ScriptedPasswordPrompt final : public PasswordPrompt {
public:
    void Enter(std::optional<std::string> text) { m_entries.push_back(std::move(text)); }
    std::optional<std::string> AskPassword(const PasswordRequest& request) override {
        requests.push_back(request);
        if (whileAsked) whileAsked();
        if (m_entries.empty()) return std::nullopt;
        std::optional<std::string> entry = m_entries.front();
        m_entries.pop_front();
        return entry;
    }
    std::vector<PasswordRequest> requests;
    // Runs while the prompt is up, e.g. the event loop a modal dialog would run.
    std::function<void()> whileAsked;

private:
    std::deque<std::optional<std::string>> m_entries;
};

}  // namespace tidewell::testing
