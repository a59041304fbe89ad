#pragma once

#include <deque>
#include <optional>
#include <string>

#include "app/task_sheet/sheet_context.h"

namespace tidewell::testing {

// File dialogs for tests: each call answers from a queue (nothing queued: Cancel).
class ScriptedFileDialogs final : public FileDialogs {
public:
    void Choose(std::string path) { m_answers.push_back(std::move(path)); }

    std::optional<std::string> OpenFile(QWidget*, const QString&, const std::string&, const QStringList&,
                                        int) override {
        return Next();
    }
    std::optional<std::string> SaveFile(QWidget*, const QString&, const std::string&,
                                        const QStringList&) override {
        return Next();
    }

private:
    std::optional<std::string> Next() {
        if (m_answers.empty()) return std::nullopt;
        std::string answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<std::string> m_answers;
};

}  // namespace tidewell::testing
