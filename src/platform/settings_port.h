#pragma once

#include <string>
#include <string_view>

namespace tidewell {

// Access to the program's settings registry: sections are subkey paths below
// the program's root, values are integers (DWORD) or strings. A missing value
// reads as the default; a write creates the section and the value.
class SettingsPort {
public:
    virtual ~SettingsPort() = default;
    virtual int ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) = 0;
    virtual bool WriteSettingInt(std::string_view section, std::string_view name, int value) = 0;
    virtual std::string ReadSettingString(std::string_view section, std::string_view name,
                                          std::string_view defaultValue) = 0;
    virtual bool WriteSettingString(std::string_view section, std::string_view name,
                                    std::string_view value) = 0;
};

}  // namespace tidewell
