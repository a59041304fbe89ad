#include "support/fake_settings.h"

namespace tidewell::testing {

int FakeSettings::ReadSettingInt(std::string_view section, std::string_view name, int defaultValue) {
    auto found = ints.find({std::string(section), std::string(name)});
    return found == ints.end() ? defaultValue : found->second;
}

bool FakeSettings::WriteSettingInt(std::string_view section, std::string_view name, int value) {
    ints[{std::string(section), std::string(name)}] = value;
    return true;
}

std::string FakeSettings::ReadSettingString(std::string_view section, std::string_view name,
                                            std::string_view defaultValue) {
    auto found = strings.find({std::string(section), std::string(name)});
    return found == strings.end() ? std::string(defaultValue) : found->second;
}

bool FakeSettings::WriteSettingString(std::string_view section, std::string_view name,
                                      std::string_view value) {
    strings[{std::string(section), std::string(name)}] = std::string(value);
    return true;
}

}  // namespace tidewell::testing
