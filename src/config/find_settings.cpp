#include "config/find_settings.h"

#include <algorithm>
#include <cstdio>

namespace tidewell {

std::string FindHistoryKey(int number) {
    char key[32];
    std::snprintf(key, sizeof key, find_keys::kHistoryFormat, number);
    return key;
}

FindDialogSettings ReadFindSettings(SettingsPort& settings) {
    using namespace find_keys;
    FindDialogSettings options;
    options.wholeWord = settings.ReadSettingInt(kSection, kMatchWholeWord, 0) == 1;
    options.matchCase = settings.ReadSettingInt(kSection, kMatchCase, 0) == 1;
    options.closeWhenDone = settings.ReadSettingInt(kSection, kCloseWhenDone, 0) == 1;
    options.up = settings.ReadSettingInt(kSection, kUp, 0) == 1;
    options.startFromCurrent = settings.ReadSettingInt(kSection, kStartFromCurrent, 1) != 0;
    return options;
}

Result WriteFindSettings(SettingsPort& settings, const FindDialogSettings& options) {
    using namespace find_keys;
    return FirstFailure(
        {settings.WriteSettingInt(kSection, kMatchWholeWord, options.wholeWord ? 1 : 0),
         settings.WriteSettingInt(kSection, kMatchCase, options.matchCase ? 1 : 0),
         settings.WriteSettingInt(kSection, kCloseWhenDone, options.closeWhenDone ? 1 : 0),
         settings.WriteSettingInt(kSection, kUp, options.up ? 1 : 0),
         settings.WriteSettingInt(kSection, kStartFromCurrent, options.startFromCurrent ? 1 : 0)});
}

std::vector<std::string> ReadFindHistory(SettingsPort& settings) {
    std::vector<std::string> history;
    for (int number = 0; number < static_cast<int>(kFindHistoryRead); ++number) {
        std::string text = settings.ReadSettingString(find_keys::kSection, FindHistoryKey(number), {});
        if (text.empty() || std::find(history.begin(), history.end(), text) != history.end()) continue;
        history.push_back(std::move(text));
    }
    return history;
}

Result WriteFindHistory(SettingsPort& settings, const std::vector<std::string>& history) {
    Result written = Result::Ok();
    int number = 0;
    for (std::size_t i = 0; i < history.size() && i < kFindHistoryStored; ++i) {
        if (history[i].empty()) continue;
        written = FirstFailure(
            {std::move(written),
             settings.WriteSettingString(find_keys::kSection, FindHistoryKey(number++), history[i])});
    }
    while (number < static_cast<int>(kFindHistoryStored)) {
        written = FirstFailure({std::move(written), settings.WriteSettingString(
                                                        find_keys::kSection, FindHistoryKey(number++), {})});
    }
    return written;
}

std::vector<std::string> PushFindHistory(std::vector<std::string> history, std::string_view text) {
    std::erase(history, text);
    history.insert(history.begin(), std::string(text));
    return history;
}

}  // namespace tidewell
