#include "app/main_window/column_widths.h"

#include <algorithm>

namespace tidewell {

ColumnWidthSet TaskColumnWidths(int screenWidth, bool cjk) {
    if (screenWidth < 1024) return {cjk ? 100 : 160, 90, 300, 100, 100, 100};
    if (screenWidth <= 1100) return {150, 90, 400, 140, 140, 115};
    // Whatever the screen has beyond the widths above goes mostly to the description.
    const int extra = std::min(screenWidth - 1055, 700);
    if (extra < 200) return {190, 90, extra + 360, 140, 140, 115};
    if (extra < 385) return {210, 90, extra + 340, 140, 140, 115};
    return {250, cjk ? 100 : 145, extra + (cjk ? 250 : 205), 160, 160, 115};
}

}  // namespace tidewell
