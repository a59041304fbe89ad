#pragma once

#include <string>
#include <vector>

#include "platform/launcher.h"

namespace tidewell::testing {

// A launcher for tests: records what it is asked to open or start; `failure` set makes it fail.
class RecordingLauncher final : public Launcher {
public:
    Result Open(const std::string& target) override { return Record(opened, target); }
    Result Start(const std::string& program, const std::string&, const std::string&) override {
        return Record(started, program);
    }

    std::vector<std::string> opened;
    std::vector<std::string> started;
    std::string failure;

private:
    Result Record(std::vector<std::string>& calls, const std::string& call) {
        calls.push_back(call);
        return failure.empty() ? Result::Ok() : Result::Fail(ErrorKind::notFound, failure);
    }
};

}  // namespace tidewell::testing
