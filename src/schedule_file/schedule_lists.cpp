#include "schedule_file/schedule_lists.h"

#include "base/text_util.h"
#include "format/settings_text.h"
#include "model/list_entry_text.h"

namespace tidewell {
namespace {

constexpr std::string_view kMonthPartEnd = "m;";
constexpr size_t kDailyWidth = 8;    // "%H:%M:%S"
constexpr size_t kWeeklyWidth = 10;  // "%d %s"
constexpr size_t kOnceWidth = 19;    // "%Y-%m-%d %H:%M:%S"
// "1 05 08:00:00": kind, blank, two digits, blank, the time.
constexpr size_t kMonthEntryMinLength = 13;

template <typename Item, typename TextOf>
std::string JoinLines(const std::vector<Item>& items, TextOf textOf) {
    std::string text;
    for (const Item& item : items) {
        if (!text.empty()) text += kSettingsLineBreak;
        text += textOf(item);
    }
    return text;
}

// Digits at a fixed position; -1 when any of them is not a digit.
int DigitsAt(std::string_view text, size_t position, size_t count) {
    if (position + count > text.size()) return -1;
    int value = 0;
    for (size_t i = position; i < position + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "%H:%M:%S" at a position, on day 0; invalid unless it formats back the same.
DateTime TimeAt(std::string_view text, size_t position) {
    DateTime time = DateTime::FromParts(1899, 12, 30, DigitsAt(text, position, 2),
                                        DigitsAt(text, position + 3, 2), DigitsAt(text, position + 6, 2));
    if (!time.IsValid() || time.Format(kTimeOfDayFormat) != text.substr(position, kDailyWidth))
        return DateTime::Invalid();
    return time;
}

// Cuts the text into pieces of one width, skipping line breaks and blanks
// between them, until a piece would be short.
template <typename Visit>
void ForEachPiece(std::string_view text, size_t width, Visit visit) {
    size_t position = 0;
    while (true) {
        position = text.find_first_not_of(" \t\r\n", position);
        if (position == std::string_view::npos || text.size() - position < width) return;
        visit(text.substr(position, width));
        position += width;
    }
}

// The month part before "m;": "0" or month numbers separated by commas.
void ReadMonthPart(std::string_view part, MonthlyItem& item) {
    item.months.fill(false);
    size_t start = 0;
    while (start <= part.size()) {
        size_t comma = part.find(',', start);
        std::string_view number =
            part.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        int month = number.empty() || number.size() > 2 ? -1 : DigitsAt(number, 0, number.size());
        if (month >= 1 && month <= 12) item.months[static_cast<size_t>(month - 1)] = true;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    size_t flagged = 0;
    for (bool flag : item.months) flagged += flag ? 1 : 0;
    item.everyMonth = flagged == 0 || flagged == item.months.size();
    if (item.everyMonth) item.months.fill(true);
}

std::optional<MonthlyItem> ReadMonthLine(std::string_view line) {
    MonthlyItem item;
    item.everyMonth = true;
    item.months.fill(true);
    size_t partEnd = line.find(kMonthPartEnd);
    std::string_view entry = line;
    if (partEnd != std::string_view::npos) {
        ReadMonthPart(line.substr(0, partEnd), item);
        entry = line.substr(partEnd + kMonthPartEnd.size());
    }
    if (entry.size() < kMonthEntryMinLength || (entry[0] != '0' && entry[0] != '1')) return std::nullopt;
    item.byDayNumber = entry[0] == '1';
    item.time = TimeAt(entry, 5);
    if (!item.time.IsValid()) return std::nullopt;
    if (item.byDayNumber) {
        item.day = DigitsAt(entry, 2, 2);
        if (item.day < 1 || item.day > 31) return std::nullopt;
    } else {
        item.weekOrdinal = DigitsAt(entry, 2, 1);
        item.weekday = DigitsAt(entry, 3, 1);
        if (item.weekOrdinal < 1 || item.weekOrdinal > 5 || item.weekday < 0 || item.weekday > 6)
            return std::nullopt;
    }
    return item;
}

}  // namespace

std::string DailyListText(const std::vector<DateTime>& times) {
    return JoinLines(times, DailyEntryText);
}
std::string WeeklyListText(const std::vector<WeeklyItem>& items) {
    return JoinLines(items, WeeklyEntryText);
}
std::string MonthListText(const std::vector<MonthlyItem>& items) {
    return JoinLines(items, MonthlyEntryText);
}
std::string OnceListText(const std::vector<DateTime>& times) {
    return JoinLines(times, OnceEntryText);
}

std::vector<DateTime> ReadDailyList(std::string_view text) {
    std::vector<DateTime> times;
    ForEachPiece(text, kDailyWidth, [&](std::string_view piece) {
        DateTime time = TimeAt(piece, 0);
        if (time.IsValid()) times.push_back(time);
    });
    return times;
}

std::vector<WeeklyItem> ReadWeeklyList(std::string_view text) {
    std::vector<WeeklyItem> items;
    ForEachPiece(text, kWeeklyWidth, [&](std::string_view piece) {
        WeeklyItem item{DigitsAt(piece, 0, 1), TimeAt(piece, 2)};
        if (item.weekday >= 1 && item.weekday <= 7 && piece[1] == ' ' && item.time.IsValid())
            items.push_back(item);
    });
    return items;
}

std::vector<MonthlyItem> ReadMonthList(std::string_view text) {
    std::vector<MonthlyItem> items;
    // Stored lists join their lines with CR LF.
    for (const std::string& line : SplitLines(text)) {
        if (std::optional<MonthlyItem> item = ReadMonthLine(line)) items.push_back(*item);
    }
    return items;
}

std::vector<DateTime> ReadOnceList(std::string_view text) {
    std::vector<DateTime> times;
    ForEachPiece(text, kOnceWidth, [&](std::string_view piece) {
        DateTime time =
            DateTime::FromParts(DigitsAt(piece, 0, 4), DigitsAt(piece, 5, 2), DigitsAt(piece, 8, 2),
                                DigitsAt(piece, 11, 2), DigitsAt(piece, 14, 2), DigitsAt(piece, 17, 2));
        if (time.IsValid() && time.Format(kStorageFormat) == piece) times.push_back(time);
    });
    return times;
}

}  // namespace tidewell
