#pragma once

#include <optional>

#include "overview/quick_view.h"

namespace tidewell {

// The instants a Quick View selects, as of "now".
//
// Every range is made of whole calendar days: it starts at 00:00:00 of its first day and ends at
// 23:59:59 of its last day, both instants included. Units are calendar units: a day, a week of
// seven days starting on a given weekday, a calendar month. A count of units always includes
// the unit that holds today, so a Quick View shows the coming runs of that unit as well as the
// ones already gone by in it.
//
// - This week (first weekday - last weekday): the week starts on the latest first weekday on or
//   before today and ends on the first last weekday on or after that start (the same day when
//   the two weekdays are equal). Monday - Friday seen on a Saturday is the Monday to Friday just
//   gone by.
// - This month: the 1st to the last day of today's month.
// - In recent N days / weeks (starting from a weekday) / months: N units counted forward from
//   the one that holds today: today and the N - 1 days after it; the week that starts on the
//   latest starting weekday on or before today and the N - 1 weeks after it; this month and the
//   N - 1 months after it. "Recent" looks ahead because a Quick View is a view of coming runs;
//   the past is what type 3 adds.
// - From past N units to next M units: the unit that holds today, the N units before it and the
//   M units after it; weeks start on Monday, the start of the week everywhere else.
// - Between two dates: from 00:00:00 of the first to 23:59:59 of the last (both days included).
//
// A range that would leave the years 100..9999 is cut at their ends.
struct QuickViewRange {
    DateTime start;
    DateTime end;
};

// Nothing for a record that is not valid.
std::optional<QuickViewRange> QuickViewRangeOf(const QuickViewRecord& record, const DateTime& now);

}  // namespace tidewell
