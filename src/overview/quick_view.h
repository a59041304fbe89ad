#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "time/date_time.h"

namespace tidewell {

// A saved, named range of time over which the main window lists the runs of the tasks.

enum class QuickViewType : int32_t {
    thisPeriod = 1,  // this week or this month
    recent = 2,      // in recent N units
    pastToNext = 3,  // from past N units to next M units
    between = 4,     // between two dates
};

enum class QuickViewPeriod : int32_t { thisWeek = 1, thisMonth = 2 };

enum class QuickViewUnit : int32_t { days = 1, weeks = 2, months = 3 };

// Weekdays count 1 = Monday ... 7 = Sunday.
struct QuickViewRecord {
    std::string title;
    QuickViewType type = QuickViewType::thisPeriod;
    QuickViewPeriod period = QuickViewPeriod::thisWeek;
    int32_t firstWeekday = 1;
    int32_t lastWeekday = 7;
    int32_t recentCount = 30;
    QuickViewUnit recentUnit = QuickViewUnit::days;
    int32_t recentStartWeekday = 1;
    int32_t pastCount = 10;
    QuickViewUnit pastUnit = QuickViewUnit::days;
    int32_t nextCount = 30;
    QuickViewUnit nextUnit = QuickViewUnit::days;
    DateTime from;  // first day of the range, time of day ignored
    DateTime to;    // last day of the range, included

    bool operator==(const QuickViewRecord&) const = default;
};

// Days from `from` to the default `to` of a new record.
inline constexpr int kQuickViewDefaultDays = 30;
// The largest count of units a record may hold.
inline constexpr int32_t kQuickViewMaxCount = 999;

// A new record: this week (Monday to Sunday); its dates run from today for 30 days.
QuickViewRecord DefaultQuickView(const DateTime& today);

// The test a record passes before it is saved or after it is read: a known type with its
// parameters in range (kinds and units 1..3, weekdays 1..7, counts 1..999 for recent units and
// 0..999 for past and next ones), valid dates of type 4 with `from` not after `to`, and a title
// without control characters.
bool IsValidQuickView(const QuickViewRecord& record);

// Markers of the stored form, in their order.
inline constexpr std::string_view kQuickViewTitleMarker = "[Title]";
inline constexpr std::string_view kQuickViewTypeMarker = "[Type]";
inline constexpr std::string_view kQuickViewP1Marker = "[P1]";
inline constexpr std::string_view kQuickViewP2Marker = "[P2]";
inline constexpr std::string_view kQuickViewP3Marker = "[P3]";
inline constexpr std::string_view kQuickViewP4Marker = "[P4]";

// The stored form: "[Title]" title "[Type]" type "[P1]" p1 "[P2]" p2 "[P3]" p3 "[P4]" p4, the
// title without its leading and trailing blanks, numbers in decimal and the dates of type 4 as
// "%B %d, %Y" with English month names whatever the language.
std::string QuickViewLine(const QuickViewRecord& record);

// Reads a stored line. Every marker must be there, in order; a parameter left empty keeps its
// default (`today` gives the default dates). Nothing is returned for a line that breaks these
// rules, holds a number or date that does not read, or gives a record that is not valid.
std::optional<QuickViewRecord> ParseQuickViewLine(std::string_view line, const DateTime& today);

// The records of stored lines in order; `rejected` receives the positions (from 0) of the
// lines that did not read.
std::vector<QuickViewRecord> ParseQuickViewLines(const std::vector<std::string>& lines, const DateTime& today,
                                                 std::vector<std::size_t>* rejected = nullptr);
// The stored lines of the valid records, in order; invalid records are dropped.
std::vector<std::string> QuickViewLines(const std::vector<QuickViewRecord>& records);

// "%B %d, %Y" with English month names: "March 01, 2006".
std::string QuickViewStoredDate(const DateTime& date);

// The description: "This week (Monday - Sunday)", "In recent 30 day(s)", "From March 01, 2006
// to March 31, 2006" ... in the current language.
std::string QuickViewText(const QuickViewRecord& record);

}  // namespace tidewell
