#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/message_table.h"

namespace tidewell {

// Which column a lookup reads.
enum class MessageLanguage : int {
    Current = 0,  // the language chosen at start-up (English before the choice)
    English = 1,
    Chinese = 2,
};

// The text of the row in the current language, or empty when no row has the id.
// When the text holds "%1", every "%1" becomes p1, then every "%2" p2, then every "%3" p3
// (so a "%2" that p1 brings in is filled too). A text without "%1" is returned as it stands.
// Callers fill "#1".."#4" themselves with ReplaceAll.
std::string LoadMessage(int32_t id, std::string_view p1 = {}, std::string_view p2 = {},
                        std::string_view p3 = {});

// The same lookup in a given column.
std::string LoadMessageIn(MessageLanguage language, int32_t id, std::string_view p1 = {},
                          std::string_view p2 = {}, std::string_view p3 = {});

// The "%1".."%3" rule on its own.
std::string FillPercentPlaceholders(std::string text, std::string_view p1, std::string_view p2,
                                    std::string_view p3);

}  // namespace tidewell
