#pragma once

#include <map>
#include <string>
#include <utility>

#include "files/file_faults.h"

namespace tidewell::testing {

// Makes steps of the file toolkit fail with a given errno while the value lives, for one path
// or for every path (an empty path), and counts the steps it was asked about.
class InjectedFileFaults {
public:
    InjectedFileFaults() {
        SetFileFaultHook([this](FileStep step, const std::string& path) {
            ++m_counts[step];
            if (auto exact = m_faults.find({step, path}); exact != m_faults.end()) return exact->second;
            if (auto any = m_faults.find({step, {}}); any != m_faults.end()) return any->second;
            return 0;
        });
    }
    ~InjectedFileFaults() { SetFileFaultHook({}); }
    InjectedFileFaults(const InjectedFileFaults&) = delete;
    InjectedFileFaults& operator=(const InjectedFileFaults&) = delete;

    void Fail(FileStep step, int error, const std::string& path = {}) { m_faults[{step, path}] = error; }
    void Heal() { m_faults.clear(); }
    int Count(FileStep step) const {
        auto found = m_counts.find(step);
        return found == m_counts.end() ? 0 : found->second;
    }

private:
    std::map<std::pair<FileStep, std::string>, int> m_faults;
    std::map<FileStep, int> m_counts;
};

}  // namespace tidewell::testing
