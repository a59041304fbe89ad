#pragma once

#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tidewell {

// A launcher for tests: records what it was asked to open or start and answers with a set result.
class RecordingLauncher : public Launcher {
public:
    struct Started {
        std::string program;
        std::string parameters;
        std::string folder;
    };

    Result Open(const std::string& target) override {
        opened.push_back(target);
        return Answer();
    }
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override {
        started.push_back({program, parameters, folder});
        return Answer();
    }
    // Every later call fails with this kind and message.
    void FailWith(ErrorKind kind, std::string message) {
        m_failKind = kind;
        m_failMessage = std::move(message);
    }

    std::vector<std::string> opened;
    std::vector<Started> started;

private:
    Result Answer() const {
        return m_failKind == ErrorKind::none ? Result::Ok() : Result::Fail(m_failKind, m_failMessage);
    }

    ErrorKind m_failKind = ErrorKind::none;
    std::string m_failMessage;
};

}  // namespace tidewell
