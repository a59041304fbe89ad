#pragma once

#include <map>
#include <string>
#include <utility>

#include "model/settings_port.h"

namespace tidewell {

// Settings held in memory only, for tools that must not change the user's
// settings.
class MemorySettings final : public SettingsPort {
public:
    int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) override {
        auto found = m_ints.find(Key(section, name));
        return found == m_ints.end() ? defaultValue : found->second;
    }
    bool WriteSettingInt(std::string_view section, std::string_view name, int value) override {
        m_ints[Key(section, name)] = value;
        return true;
    }
    std::string ReadSettingString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) override {
        auto found = m_strings.find(Key(section, name));
        return found == m_strings.end() ? std::string(defaultValue) : found->second;
    }
    bool WriteSettingString(std::string_view section, std::string_view name,
                            std::string_view value) override {
        m_strings[Key(section, name)] = std::string(value);
        return true;
    }

private:
    using KeyType = std::pair<std::string, std::string>;
    static KeyType Key(std::string_view section, std::string_view name) {
        return {std::string(section), std::string(name)};
    }
    std::map<KeyType, int> m_ints;
    std::map<KeyType, std::string> m_strings;
};

}  // namespace tidewell
