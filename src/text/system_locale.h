#pragma once

#include <cstdint>
#include <string_view>

namespace tidewell {

// Language of a POSIX locale name such as "zh_CN.UTF-8": Chinese locales give 2052,
// every other (also "C", "POSIX" and empty) 1033.
int32_t LanguageIdFromLocale(std::string_view locale);

// The locale of the messages category (LC_ALL, else LC_MESSAGES, else LANG; the first set
// and non-empty one).
std::string_view MessagesLocaleFromEnvironment();

// The user-interface language of the system: LanguageIdFromLocale of the environment.
int32_t SystemLanguageId();

}  // namespace tidewell
