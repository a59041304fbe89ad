#include "text/system_locale.h"

#include <cstdlib>

#include "text/language.h"

namespace tidewell {

int32_t LanguageIdFromLocale(std::string_view locale) {
    // The language part ends at territory, code set or modifier: "zh", "zh_TW", "zh.GBK", "zh@x".
    const bool chinese =
        locale.size() >= 2 && (locale[0] == 'z' || locale[0] == 'Z') &&
        (locale[1] == 'h' || locale[1] == 'H') &&
        (locale.size() == 2 || locale[2] == '_' || locale[2] == '-' || locale[2] == '.' || locale[2] == '@');
    return chinese ? kLcidSimplifiedChinese : kLcidEnglish;
}

std::string_view MessagesLocaleFromEnvironment() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            return value;
        }
    }
    return {};
}

int32_t SystemLanguageId() {
    return LanguageIdFromLocale(MessagesLocaleFromEnvironment());
}

}  // namespace tidewell
