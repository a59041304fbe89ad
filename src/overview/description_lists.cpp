#include <cstdio>

#include "base/text_util.h"
#include "overview/description.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "time/calendar.h"
#include "timing/list_order.h"

namespace tidewell {
namespace {

constexpr std::string_view kEntrySeparator = ", ";

// "%H:%M:%S" of a list entry's time of day.
std::string ClockText(const DateTime& time) {
    int second = TimeOfDay(time);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", second / 3600, second % 3600 / 60, second % 60);
    return text;
}

// "%d-%d-%d": month, day, year without leading zeros.
std::string DateText(const DateTime& time) {
    CivilDate date = DateOfDayNumber(time.DayNumber());
    char text[32];
    std::snprintf(text, sizeof text, "%d-%d-%d", date.month, date.day, date.year);
    return text;
}

// Every entry ends in ", "; the last one loses it.
std::string WithoutLastSeparator(std::string text) {
    if (text.ends_with(kEntrySeparator)) text.resize(text.size() - kEntrySeparator.size());
    return text;
}

std::string DayPartText(const MonthlyItem& item) {
    if (item.byDayNumber) return std::to_string(item.day) + " ";
    return "(" + WeekOrdinalName(item.weekOrdinal) + ") " + WeekdayName(item.weekday + 1) + " ";
}

}  // namespace

std::string DescribeTimeList(const std::vector<DateTime>& times) {
    std::string text;
    for (const DateTime& time : times) text += ClockText(time) + std::string(kEntrySeparator);
    return WithoutLastSeparator(std::move(text));
}

std::string DescribeWeeklyList(const std::vector<WeeklyItem>& items) {
    std::string text;
    const WeeklyItem* previous = nullptr;
    for (const WeeklyItem& item : items) {
        if (previous == nullptr || previous->weekday != item.weekday) text += WeekdayName(item.weekday) + " ";
        text += ClockText(item.time) + std::string(kEntrySeparator);
        previous = &item;
    }
    return WithoutLastSeparator(std::move(text));
}

std::string DescribeOnceList(std::vector<DateTime> times) {
    OrderTimes(times);
    std::string text;
    int64_t previousDay = 0;
    for (size_t i = 0; i < times.size(); ++i) {
        if (i == 0 || times[i].DayNumber() != previousDay) text += DateText(times[i]) + " ";
        text += ClockText(times[i]) + std::string(kEntrySeparator);
        previousDay = times[i].DayNumber();
    }
    return WithoutLastSeparator(std::move(text));
}

std::string DescribeMonthPart(const MonthlyItem& item, const DescriptionOptions& options) {
    if (item.everyMonth) return EveryMonthCaption();
    std::string separator = LoadMessage(IDS_KLN_ENTRY_SEPARATOR);
    std::string text;
    for (int month = 1; month <= 12; ++month) {
        if (!item.SelectsMonth(month)) continue;
        int last = month;
        if (options.useRange) {
            while (last < 12 && item.SelectsMonth(last + 1)) ++last;
        }
        if (!text.empty()) text += separator;
        text += MonthName(month, options.monthFormat);
        if (last > month) text += "-" + MonthName(last, options.monthFormat);
        month = last;
    }
    return text;
}

std::string DescribeMonthList(const std::vector<MonthlyItem>& items, const DescriptionOptions& options) {
    std::string text;
    std::string previousHead;
    for (size_t i = 0; i < items.size(); ++i) {
        std::string head = DescribeMonthPart(items[i], options);
        if (!head.empty()) head += " ";
        head += DayPartText(items[i]);
        if (i == 0 || head != previousHead) text += head;
        text += ClockText(items[i].time) + std::string(kEntrySeparator);
        previousHead = std::move(head);
    }
    return WithoutLastSeparator(std::move(text));
}

MonthFormatExamples MonthFormatExampleTexts(int monthFormat) {
    std::string first = MonthName(1, monthFormat);
    std::string second = MonthName(2, monthFormat);
    std::string third = MonthName(3, monthFormat);
    std::string range = first + "-" + third;
    const std::string separator = LoadMessage(IDS_KLN_ENTRY_SEPARATOR);  // as the month lists have it
    std::string every = first + separator + second + separator + third;
    return {ReplaceAll(LoadMessageLine(IDS_DIALOG_OPTIONS_SCHEDULE_LIST, 0), "#1", range),
            ReplaceAll(LoadMessageLine(IDS_DIALOG_OPTIONS_SCHEDULE_LIST, 1), "#1", every)};
}

}  // namespace tidewell
