#pragma once

#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tidewell::testing {

// A launcher for tests: records what it is asked to open or start; `failure` set makes it fail.
class RecordingLauncher final : public Launcher {
public:
    Result Open(const std::string& target) override {
        opened.push_back(target);
        return Record(target);
    }
    Result Start(const std::string& program, const std::string& parameters,
                 const std::string& folder) override {
        return Record(program + " " + parameters + " @" + folder);
    }

    std::vector<std::string> opened;  // the Open calls alone
    std::vector<std::string> calls;   // every call in order: the target, or "program parameters @folder"
    std::string failure;

private:
    Result Record(const std::string& call) {
        calls.push_back(call);
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::notFound, failure);
    }
};

}  // namespace tidewell::testing
