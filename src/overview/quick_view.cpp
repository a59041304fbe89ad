#include "overview/quick_view.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "time/calendar.h"

namespace tidewell {
namespace {

constexpr std::array<const char*, 12> kEnglishMonths = {"January",   "February", "March",    "April",
                                                        "May",       "June",     "July",     "August",
                                                        "September", "October",  "November", "December"};

std::string_view TrimBlanks(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool InRange(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

bool IsUnit(QuickViewUnit unit) {
    return InRange(static_cast<int32_t>(unit), 1, 3);
}

bool HasControlCharacter(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    }
    return false;
}

DateTime DateOnly(const DateTime& value) {
    return DateTime::FromSeconds(value.DayNumber() * 86400);
}

// The values between the markers, or nothing when a marker is missing or out of order. The
// parameters never hold "[", so the markers are searched from the right: a title may hold
// anything.
std::optional<std::array<std::string_view, 6>> SplitLine(std::string_view line) {
    constexpr std::array<std::string_view, 6> kMarkers = {kQuickViewTitleMarker, kQuickViewTypeMarker,
                                                          kQuickViewP1Marker,    kQuickViewP2Marker,
                                                          kQuickViewP3Marker,    kQuickViewP4Marker};
    std::size_t title = line.find(kQuickViewTitleMarker);
    if (title == std::string_view::npos) return std::nullopt;
    std::array<std::size_t, 6> at{};
    at[0] = title;
    std::size_t end = line.size();
    for (std::size_t i = kMarkers.size() - 1; i > 0; --i) {
        std::size_t found = line.rfind(kMarkers[i], end - std::min(end, kMarkers[i].size()));
        if (found == std::string_view::npos || found < title + kQuickViewTitleMarker.size())
            return std::nullopt;
        if (found + kMarkers[i].size() > end) return std::nullopt;
        at[i] = found;
        end = found;
    }
    std::array<std::string_view, 6> values;
    for (std::size_t i = 0; i < kMarkers.size(); ++i) {
        std::size_t begin = at[i] + kMarkers[i].size();
        std::size_t stop = i + 1 < kMarkers.size() ? at[i + 1] : line.size();
        values[i] = line.substr(begin, stop - begin);
    }
    return values;
}

// A decimal integer; an empty text keeps `value`.
bool ReadNumber(std::string_view text, int32_t& value) {
    text = TrimBlanks(text);
    if (text.empty()) return true;
    int32_t read = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = read;
    return true;
}

template <typename Enum>
bool ReadEnum(std::string_view text, Enum& value) {
    auto number = static_cast<int32_t>(value);
    if (!ReadNumber(text, number)) return false;
    value = static_cast<Enum>(number);
    return true;
}

bool ReadDate(std::string_view text, DateTime& value) {
    text = TrimBlanks(text);
    if (text.empty()) return true;
    DateTime read = ParseDateTime(text);
    if (!read.IsValid() || std::isdigit(static_cast<unsigned char>(text.front()))) return false;
    value = read;
    return true;
}

bool ReadParameters(const std::array<std::string_view, 6>& values, QuickViewRecord& record) {
    switch (record.type) {
        case QuickViewType::thisPeriod:
            return ReadEnum(values[2], record.period) && ReadNumber(values[3], record.firstWeekday) &&
                   ReadNumber(values[4], record.lastWeekday);
        case QuickViewType::recent:
            return ReadNumber(values[2], record.recentCount) && ReadEnum(values[3], record.recentUnit) &&
                   ReadNumber(values[4], record.recentStartWeekday);
        case QuickViewType::pastToNext:
            return ReadNumber(values[2], record.pastCount) && ReadEnum(values[3], record.pastUnit) &&
                   ReadNumber(values[4], record.nextCount) && ReadEnum(values[5], record.nextUnit);
        case QuickViewType::between: {
            if (!ReadDate(values[2], record.from)) return false;
            record.to = record.from + TimeSpan::FromSeconds(int64_t{kQuickViewDefaultDays} * 86400);
            return ReadDate(values[3], record.to);
        }
    }
    return false;
}

std::string Number(int32_t value) {
    return std::to_string(value);
}

template <typename Enum>
std::string Number(Enum value) {
    return std::to_string(static_cast<int32_t>(value));
}

}  // namespace

QuickViewRecord DefaultQuickView(const DateTime& today) {
    QuickViewRecord record;
    record.from = DateOnly(today);
    record.to = record.from + TimeSpan::FromSeconds(int64_t{kQuickViewDefaultDays} * 86400);
    return record;
}

bool IsValidQuickView(const QuickViewRecord& record) {
    if (HasControlCharacter(record.title)) return false;
    switch (record.type) {
        case QuickViewType::thisPeriod:
            return InRange(static_cast<int32_t>(record.period), 1, 2) && InRange(record.firstWeekday, 1, 7) &&
                   InRange(record.lastWeekday, 1, 7);
        case QuickViewType::recent:
            return InRange(record.recentCount, 1, kQuickViewMaxCount) && IsUnit(record.recentUnit) &&
                   InRange(record.recentStartWeekday, 1, 7);
        case QuickViewType::pastToNext:
            return InRange(record.pastCount, 0, kQuickViewMaxCount) && IsUnit(record.pastUnit) &&
                   InRange(record.nextCount, 0, kQuickViewMaxCount) && IsUnit(record.nextUnit);
        case QuickViewType::between:
            return record.from.IsValid() && record.to.IsValid() &&
                   record.from.DayNumber() <= record.to.DayNumber();
    }
    return false;
}

std::string QuickViewStoredDate(const DateTime& date) {
    if (!date.IsValid()) return {};
    CivilDate civil = DateOfDayNumber(date.DayNumber());
    char text[48];
    std::snprintf(text, sizeof text, "%s %02d, %d", kEnglishMonths[static_cast<std::size_t>(civil.month - 1)],
                  civil.day, civil.year);
    return text;
}

std::string QuickViewLine(const QuickViewRecord& record) {
    std::array<std::string, 4> p;
    switch (record.type) {
        case QuickViewType::thisPeriod:
            p = {Number(record.period), Number(record.firstWeekday), Number(record.lastWeekday), {}};
            break;
        case QuickViewType::recent:
            p = {
                Number(record.recentCount), Number(record.recentUnit), Number(record.recentStartWeekday), {}};
            break;
        case QuickViewType::pastToNext:
            p = {Number(record.pastCount), Number(record.pastUnit), Number(record.nextCount),
                 Number(record.nextUnit)};
            break;
        case QuickViewType::between:
            p = {QuickViewStoredDate(record.from), QuickViewStoredDate(record.to), {}, {}};
    }
    return std::string(kQuickViewTitleMarker) + std::string(TrimBlanks(record.title)) +
           std::string(kQuickViewTypeMarker) + Number(record.type) + std::string(kQuickViewP1Marker) + p[0] +
           std::string(kQuickViewP2Marker) + p[1] + std::string(kQuickViewP3Marker) + p[2] +
           std::string(kQuickViewP4Marker) + p[3];
}

std::optional<QuickViewRecord> ParseQuickViewLine(std::string_view line, const DateTime& today) {
    std::optional<std::array<std::string_view, 6>> values = SplitLine(line);
    if (!values) return std::nullopt;
    QuickViewRecord record = DefaultQuickView(today);
    record.title = std::string(TrimBlanks((*values)[0]));
    if (!ReadEnum((*values)[1], record.type) || !InRange(static_cast<int32_t>(record.type), 1, 4))
        return std::nullopt;
    if (!ReadParameters(*values, record) || !IsValidQuickView(record)) return std::nullopt;
    return record;
}

std::vector<QuickViewRecord> ParseQuickViewLines(const std::vector<std::string>& lines, const DateTime& today,
                                                 std::vector<std::size_t>* rejected) {
    std::vector<QuickViewRecord> records;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::optional<QuickViewRecord> record = ParseQuickViewLine(lines[i], today)) {
            records.push_back(std::move(*record));
        } else if (rejected != nullptr) {
            rejected->push_back(i);
        }
    }
    return records;
}

std::vector<std::string> QuickViewLines(const std::vector<QuickViewRecord>& records) {
    std::vector<std::string> lines;
    for (const QuickViewRecord& record : records) {
        if (IsValidQuickView(record)) lines.push_back(QuickViewLine(record));
    }
    return lines;
}

}  // namespace tidewell
