#include "config/program_options.h"

namespace tidewell {

ProgramOptions ReadProgramOptions(SettingsPort& settings) {
    using namespace app_keys;
    ProgramOptions options;
    options.autoSave = settings.ReadSettingInt(kConfigSection, kAutoSave, 1) == 1;
    options.remindFileErrors = settings.ReadSettingInt(kConfigSection, kFileReminder, 1) == 1;
    options.remindMusicErrors = settings.ReadSettingInt(kConfigSection, kMusicReminder, 1) == 1;
    options.autoUpdate = settings.ReadSettingInt(kUpdateSection, kAutoUpdate, 1) != 0;
    options.yearlySummaryUseRange = settings.ReadSettingInt(kScheduleSection, kYearlySummaryUseRange, 1) != 0;
    const int format = settings.ReadSettingInt(kScheduleSection, kYearlySummaryMonthFormat, 0);
    options.yearlySummaryMonthFormat = format == 0 || format == 1 ? format : 0;
    return options;
}

Result WriteProgramOptions(SettingsPort& settings, const ProgramOptions& options) {
    using namespace app_keys;
    SettingsBatch batch(settings);  // one replacement of the file for all options
    return FirstFailure(
        {settings.WriteSettingInt(kConfigSection, kAutoSave, options.autoSave ? 1 : 0),
         settings.WriteSettingInt(kConfigSection, kFileReminder, options.remindFileErrors ? 1 : 0),
         settings.WriteSettingInt(kConfigSection, kMusicReminder, options.remindMusicErrors ? 1 : 0),
         settings.WriteSettingInt(kUpdateSection, kAutoUpdate, options.autoUpdate ? 1 : 0),
         settings.WriteSettingInt(kScheduleSection, kYearlySummaryUseRange,
                                  options.yearlySummaryUseRange ? 1 : 0),
         settings.WriteSettingInt(kScheduleSection, kYearlySummaryMonthFormat,
                                  options.yearlySummaryMonthFormat),
         batch.Finish()});
}

}  // namespace tidewell
