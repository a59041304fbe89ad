#pragma once

#include <array>

namespace tidewell {

// The task list's columns, in display order.
enum TaskColumn : int {
    kTitleColumn,
    kScheduleTypeColumn,
    kDescriptionColumn,
    kNextRunColumn,
    kLastRunColumn,
    kStatusColumn,
    kTaskColumnCount
};

using ColumnWidthSet = std::array<int, kTaskColumnCount>;

// Widths in pixels for a screen `screenWidth` pixels wide; `cjk` when the font character set
// is GB2312 or Big5, whose titles are shorter and whose descriptions run longer.
ColumnWidthSet TaskColumnWidths(int screenWidth, bool cjk);

}  // namespace tidewell
