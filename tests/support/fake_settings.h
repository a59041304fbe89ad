#pragma once

#include <map>
#include <string>
#include <utility>

#include "model/settings_port.h"

namespace tidewell::testing {

// Settings held in memory, keyed by (section, name).
class FakeSettings final : public SettingsPort {
public:
    int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) override;
    bool WriteSettingInt(std::string_view section, std::string_view name, int value) override;
    std::string ReadSettingString(std::string_view section, std::string_view name,
                                  std::string_view defaultValue) override;
    bool WriteSettingString(std::string_view section, std::string_view name, std::string_view value) override;

    using Key = std::pair<std::string, std::string>;
    std::map<Key, int> ints;
    std::map<Key, std::string> strings;
};

}  // namespace tidewell::testing
