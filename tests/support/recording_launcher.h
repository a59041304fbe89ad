#pragma once

#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tidewell {

// A launcher for tests: records what it is asked to open or start; `failure` set makes it fail.
class RecordingLauncher : public Launcher {
public:
    struct Started {
        std::string program;
        std::string parameters;
        std::string folder;
    };

    Result Open(const std::string& target) override { return Record(target); }
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override {
        starts.push_back({program, parameters, folder});
        return Record(program + " " + parameters + " @" + folder);
    }

    std::vector<std::string> calls;  // the target, or "program parameters @folder"
    std::vector<Started> starts;     // the Start calls alone
    std::string failure;

private:
    Result Record(std::string call) {
        calls.push_back(std::move(call));
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::notFound, failure);
    }
};

}  // namespace tidewell
