#include "model/list_entry_text.h"

#include <algorithm>
#include <cstdio>

namespace tidewell {
namespace {

std::string MonthPart(const MonthlyItem& item) {
    bool allMonths = std::all_of(item.months.begin(), item.months.end(), [](bool flag) { return flag; });
    if (item.everyMonth || allMonths) return "0m;";
    std::string part;
    for (size_t i = 0; i < item.months.size(); ++i) {
        if (!item.months[i]) continue;
        if (!part.empty()) part += ',';
        part += std::to_string(i + 1);
    }
    return part.empty() ? part : part + "m;";
}

}  // namespace

std::string DailyEntryText(const DateTime& time) {
    return time.Format(kTimeOfDayFormat);
}

std::string WeeklyEntryText(const WeeklyItem& item) {
    return std::to_string(item.weekday) + " " + item.time.Format(kTimeOfDayFormat);
}

std::string OnceEntryText(const DateTime& time) {
    return time.Format(kStorageFormat);
}

std::string MonthlyEntryText(const MonthlyItem& item) {
    char entry[32];
    if (item.byDayNumber) {
        std::snprintf(entry, sizeof entry, item.day >= 10 ? "1 %d " : "1 0%d ", item.day);
    } else {
        std::snprintf(entry, sizeof entry, "0 %d%d ", item.weekOrdinal, item.weekday);
    }
    return MonthPart(item) + entry + item.time.Format(kTimeOfDayFormat);
}

}  // namespace tidewell
