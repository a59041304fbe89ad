#include "cli/user_files.h"

#include "config/data_directories.h"
#include "config/locations.h"
#include "config/quick_view_store.h"
#include "store/registry_store.h"

namespace tidewell::cli {
namespace {

Locations UserLocations() {
    return BuildLocations(ProcessEnvironment(), RunningProgramDir());
}

std::string UserDataDirectory() {
    Locations locations = UserLocations();
    RegistryStore productSettings(locations.ProductSettingsDir());
    std::string folder =
        productSettings.ReadSettingString(kUserDataDirectorySection, kUserDataDirectoryValue, {});
    if (folder.empty() || !ValidateUserDataDirectory(folder, locations).accepted)
        folder = DefaultUserDataDirectory(locations);
    return folder;
}

}  // namespace

std::string UserQuickViewFile() {
    std::string folder = UserDataDirectory();
    return folder.empty() ? std::string() : QuickViewFilePath(folder);
}

std::string UserScheduleFile() {
    std::string folder = UserDataDirectory();
    return folder.empty() ? std::string() : ScheduleFilePath(folder);
}

std::string UserPasswordFile() {
    return UserLocations().PasswordFilePath();
}

DescriptionOptions UserDescriptionOptions() {
    Locations locations = UserLocations();
    RegistryStore settings(locations.UserSettingsDir(ProductVersionNumber()));
    DescriptionOptions options;
    options.useRange =
        settings.ReadSettingInt(kDescriptionSettingsSection, kYearlySummaryUseRangeKey, 1) != 0;
    int format =
        settings.ReadSettingInt(kDescriptionSettingsSection, kYearlySummaryMonthFormatKey, kMonthFormatShort);
    options.monthFormat = format == kMonthFormatFull ? kMonthFormatFull : kMonthFormatShort;
    return options;
}

}  // namespace tidewell::cli
