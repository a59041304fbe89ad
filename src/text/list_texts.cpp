#include "text/list_texts.h"

#include "base/text_util.h"
#include "text/message_table.h"
#include "text/messages.h"

namespace tidewell {

std::string LoadMessageLine(int32_t id, std::size_t index) {
    std::vector<std::string> lines = SplitLines(LoadMessage(id));
    return index < lines.size() ? std::move(lines[index]) : std::string();
}

std::string EveryMonthCaption() {
    return LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS, kMonthSelectorEveryMonthLine);
}

std::string MonthName(int month, int format) {
    if (month < 1 || month > 12) {
        return {};
    }
    const std::size_t first =
        format == kMonthFormatFull ? kMonthSelectorFullNameLine : kMonthSelectorShortNameLine;
    return LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS, first + static_cast<std::size_t>(month - 1));
}

std::string WeekOrdinalName(int ordinal) {
    if (ordinal < 1 || ordinal > 5) {
        return {};
    }
    return LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS,
                           kMonthSelectorWeekOrdinalLine + static_cast<std::size_t>(ordinal - 1));
}

std::string MonthFormatName(int format) {
    if (format != kMonthFormatShort && format != kMonthFormatFull) {
        return {};
    }
    return LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS,
                           kMonthSelectorFormatLine + static_cast<std::size_t>(format));
}

std::string WeekdayName(int mondayBasedDay) {
    static constexpr int32_t kDays[] = {IDS_KLN_MONDAY, IDS_KLN_TUESDAY,  IDS_KLN_WEDNESDAY, IDS_KLN_THURSDAY,
                                        IDS_KLN_FRIDAY, IDS_KLN_SATURDAY, IDS_KLN_SUNDAY};
    if (mondayBasedDay < 1 || mondayBasedDay > 7) {
        return {};
    }
    return LoadMessage(kDays[mondayBasedDay - 1]);
}

CommandPrompt SplitCommandPrompt(std::string_view text) {
    auto pos = text.find("\\n");
    std::size_t separatorLength = 2;
    if (pos == std::string_view::npos) {
        pos = text.find('\n');
        separatorLength = 1;
    }
    if (pos == std::string_view::npos) {
        return {std::string(text), std::string(text)};
    }
    return {std::string(text.substr(0, pos)), std::string(text.substr(pos + separatorLength))};
}

}  // namespace tidewell
