#include <cstdio>

#include "overview/quick_view.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "time/calendar.h"

namespace tidewell {
namespace {

std::string UnitText(QuickViewUnit unit) {
    switch (unit) {
        case QuickViewUnit::days: return LoadMessage(IDS_TIDEWELL_UNIT_DAYS);
        case QuickViewUnit::weeks: return LoadMessage(IDS_TIDEWELL_UNIT_WEEKS);
        case QuickViewUnit::months: return LoadMessage(IDS_TIDEWELL_UNIT_MONTHS);
    }
    return {};
}

std::string CountText(int32_t count, QuickViewUnit unit) {
    return std::to_string(count) + " " + UnitText(unit);
}

// "%B %d, %Y" with the month names of the current language.
std::string LongDateText(const DateTime& date) {
    if (!date.IsValid()) return {};
    CivilDate civil = DateOfDayNumber(date.DayNumber());
    char dayAndYear[32];
    std::snprintf(dayAndYear, sizeof dayAndYear, " %02d, %d", civil.day, civil.year);
    return MonthName(civil.month, kMonthFormatFull) + dayAndYear;
}

}  // namespace

std::string QuickViewText(const QuickViewRecord& record) {
    switch (record.type) {
        case QuickViewType::thisPeriod:
            if (record.period == QuickViewPeriod::thisMonth)
                return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_1_2);
            return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_1_1, WeekdayName(record.firstWeekday),
                               WeekdayName(record.lastWeekday));
        case QuickViewType::recent:
            if (record.recentUnit == QuickViewUnit::weeks)
                return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_2_2, std::to_string(record.recentCount),
                                   WeekdayName(record.recentStartWeekday));
            return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_2_1, std::to_string(record.recentCount),
                               UnitText(record.recentUnit));
        case QuickViewType::pastToNext:
            return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_3_1, CountText(record.pastCount, record.pastUnit),
                               CountText(record.nextCount, record.nextUnit));
        case QuickViewType::between:
            return LoadMessage(IDS_TIDEWELL_QVI_DESCRIPTION_4_1, LongDateText(record.from),
                               LongDateText(record.to));
    }
    return {};
}

}  // namespace tidewell
