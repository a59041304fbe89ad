#include "text/messages.h"

#include <cstring>

#include "base/text_util.h"
#include "text/language.h"

namespace tidewell {

namespace {

constexpr const char* kInfoCategory = "Info";

std::string CurrentColumn(const MessageEntry& row) {
    const LanguageState state = CurrentLanguage();
    if (state.lcid == kLcidNotChosen || state.lcid == kLcidEnglish) {
        return row.english;
    }
    if (kChineseEdition || state.lcid == kLcidSimplifiedChinese) {
        return row.chinese;
    }
    // Another language: its shell file, English where it has no value (the Info rows
    // describe the shell itself and have no default).
    if (state.shellFile != nullptr) {
        if (auto value = state.shellFile->Value(row.category, row.idName)) {
            return *value;
        }
    }
    return std::strcmp(row.category, kInfoCategory) == 0 ? std::string() : std::string(row.english);
}

}  // namespace

std::string FillPercentPlaceholders(std::string text, std::string_view p1, std::string_view p2,
                                    std::string_view p3) {
    if (text.find("%1") == std::string::npos) {
        return text;
    }
    text = ReplaceAll(std::move(text), "%1", p1);
    if (text.find("%2") != std::string::npos) {
        text = ReplaceAll(std::move(text), "%2", p2);
    }
    if (text.find("%3") != std::string::npos) {
        text = ReplaceAll(std::move(text), "%3", p3);
    }
    return text;
}

std::string LoadMessageIn(MessageLanguage language, int32_t id, std::string_view p1, std::string_view p2,
                          std::string_view p3) {
    const MessageEntry* row = FindMessage(id);
    if (row == nullptr) {
        return {};
    }
    std::string text;
    switch (language) {
        case MessageLanguage::English: text = row->english; break;
        case MessageLanguage::Chinese: text = row->chinese; break;
        case MessageLanguage::Current: text = CurrentColumn(*row); break;
    }
    return FillPercentPlaceholders(std::move(text), p1, p2, p3);
}

std::string LoadMessage(int32_t id, std::string_view p1, std::string_view p2, std::string_view p3) {
    return LoadMessageIn(MessageLanguage::Current, id, p1, p2, p3);
}

}  // namespace tidewell
