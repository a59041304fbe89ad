#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/text_util.h"
#include "text/messages.h"

namespace tidewell {

// A message of the current language with its "#1", "#2" and "#3" replaced, in that order.
inline std::string FillMessage(int32_t id, std::string_view first, std::string_view second = {},
                               std::string_view third = {}) {
    std::string text = ReplaceAll(LoadMessage(id), "#1", first);
    text = ReplaceAll(std::move(text), "#2", second);
    return ReplaceAll(std::move(text), "#3", third);
}

}  // namespace tidewell
