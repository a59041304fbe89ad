#include "overview/quick_view.h"

#include <gtest/gtest.h>

#include <tuple>

#include "overview/quick_view_range.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

const DateTime kToday = At(2006, 3, 15, 10);  // a Wednesday

TEST(QuickView, DamagedLinesAreRejected) {
    const char* lines[] = {
        "[Title]no type[P1]1[P2]1[P3]7[P4]",
        "[Title]not a number[Type]2[P1]3O[P2]1[P3]1[P4]",
        "[Title]weekday 8[Type]1[P1]1[P2]8[P3]7[P4]",
        "[Title]from after to[Type]4[P1]March 31, 2006[P2]March 01, 2006[P3][P4]",
        "[Title]huge[Type]2[P1]99999999999[P2]1[P3]1[P4]",
    };
    for (const char* line : lines) EXPECT_FALSE(ParseQuickViewLine(line, kToday)) << line;

    std::vector<std::size_t> rejected;
    std::vector<QuickViewRecord> kept = ParseQuickViewLines(
        {"[Title]a[Type]1[P1]2[P2][P3][P4]", lines[0], "[Title]b[Type]4[P1][P2][P3][P4]"}, kToday, &rejected);
    EXPECT_EQ(rejected, std::vector<std::size_t>{1});
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[0].lastWeekday, 7);  // empty parameters keep their defaults
    EXPECT_EQ(kept[1].from, At(2006, 3, 15));
    EXPECT_EQ(kept[1].to, At(2006, 4, 14));
}

TEST(QuickView, Ranges) {
    // Note, line, now, first and last day of the range.
    using Case = std::tuple<const char*, const char*, DateTime, DateTime, DateTime>;
    const Case cases[] = {
        {"Monday to Sunday", "[Title]t[Type]1[P1]1[P2]1[P3]7[P4]", kToday, At(2006, 3, 13), At(2006, 3, 19)},
        {"Monday to Friday seen on Saturday", "[Title]t[Type]1[P1]1[P2]1[P3]5[P4]", At(2006, 3, 18, 9),
         At(2006, 3, 13), At(2006, 3, 17)},
        {"recent months", "[Title]t[Type]2[P1]3[P2]3[P3]1[P4]", kToday, At(2006, 3, 1), At(2006, 5, 31)},
        {"past months, today's month", "[Title]t[Type]3[P1]2[P2]3[P3]0[P4]3", kToday, At(2006, 1, 1),
         At(2006, 3, 31)},
        {"into a leap February", "[Title]t[Type]3[P1]0[P2]1[P3]1[P4]3", At(2008, 1, 31), At(2008, 1, 31),
         At(2008, 2, 29)},
        {"across the year", "[Title]t[Type]3[P1]1[P2]3[P3]1[P4]2", At(2006, 1, 2), At(2005, 12, 1),
         At(2006, 1, 15)},
        {"both dates included", "[Title]t[Type]4[P1]March 01, 2006[P2]March 31, 2006[P3][P4]", kToday,
         At(2006, 3, 1), At(2006, 3, 31)},
        {"cut at the last day a value holds", "[Title]t[Type]2[P1]3[P2]3[P3]1[P4]", At(9999, 12, 20),
         At(9999, 12, 1), At(9999, 12, 31)},
    };
    for (const auto& [note, line, now, first, last] : cases) {
        std::optional<QuickViewRange> range = QuickViewRangeOf(*ParseQuickViewLine(line, kToday), now);
        ASSERT_TRUE(range) << note;
        EXPECT_EQ(range->start.Format(kStorageFormat), first.Format(kStorageFormat)) << note;
        EXPECT_EQ(range->end.Format(kStorageFormat),
                  (last + TimeSpan::FromSeconds(86399)).Format(kStorageFormat))
            << note;
    }
}

}  // namespace
}  // namespace tidewell
