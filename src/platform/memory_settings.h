#pragma once

#include <map>
#include <string>
#include <utility>

#include "platform/settings_port.h"

namespace tidewell {

// Settings held in memory only: for tools that must not change the user's
// settings, and as the tests' settings. The values are open to inspection.
class MemorySettings final : public SettingsPort {
public:
    int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) override {
        auto found = ints.find(Key(section, name));
        return found == ints.end() ? defaultValue : found->second;
    }
    Result WriteSettingInt(std::string_view section, std::string_view name, int value) override {
        ints[Key(section, name)] = value;
        return Result::Ok();
    }
    std::string ReadSettingString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) override {
        auto found = strings.find(Key(section, name));
        return found == strings.end() ? std::string(defaultValue) : found->second;
    }
    Result WriteSettingString(std::string_view section, std::string_view name,
                              std::string_view value) override {
        strings[Key(section, name)] = std::string(value);
        return Result::Ok();
    }

    using KeyType = std::pair<std::string, std::string>;  // section, value name
    std::map<KeyType, int> ints;
    std::map<KeyType, std::string> strings;

private:
    static KeyType Key(std::string_view section, std::string_view name) {
        return {std::string(section), std::string(name)};
    }
};

}  // namespace tidewell
