#include "timing/sub_repeat.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tidewell {
namespace {

RepeatSubSchedule Rounds(int rounds, int periodQuantity, TimeUnit periodUnit,
                         ScheduleType father = ScheduleType::daily) {
    RepeatSubSchedule record = DefaultSubRepeat(father);
    record.lastingMode = false;
    record.rounds = rounds;
    record.periodQuantity = periodQuantity;
    record.periodUnit = periodUnit;
    return record;
}

RepeatSubSchedule Lasting(int quantity, TimeUnit unit, int periodQuantity, TimeUnit periodUnit) {
    RepeatSubSchedule record = Rounds(1, periodQuantity, periodUnit);
    record.lastingMode = true;
    record.lastingQuantity = quantity;
    record.lastingUnit = unit;
    return record;
}

TEST(CheckSubRepeat, FirstBrokenRuleDecidesTheMessage) {
    RepeatSubSchedule wrongMax = Rounds(0, 301, TimeUnit::hours);
    wrongMax.maxDuration = 1;
    using Case = std::tuple<const char*, RepeatSubSchedule, const char*>;
    const Case cases[] = {
        {"exactly the maximum", Rounds(12, 2, TimeUnit::hours), ""},
        {"rounds over the maximum", Rounds(13, 2, TimeUnit::hours),
         "Duration (26 hour(s) = 93,600 second(s)) is larger than maximum duration (24 hour(s) = 86,400 "
         "second(s))"},
        {"rounds of seconds over the maximum", Rounds(300, 300, TimeUnit::seconds),
         "Duration (90,000 second(s)) is larger than maximum duration (86,400 second(s))"},
        {"lasting shorter than one period", Lasting(10, TimeUnit::minutes, 15, TimeUnit::minutes),
         "Duration (10 minute(s)) is smaller than one period (15 minute(s))"},
        {"period quantity 301 whatever the lasting", Lasting(1, TimeUnit::minutes, 301, TimeUnit::minutes),
         "Period Quantity should be between 1 and 300"},
        {"rounds 0", Rounds(0, 1, TimeUnit::minutes), "Rounds should be between 1 and 300"},
        {"max duration before any quantity", wrongMax, "Wrong Max Duration"},
        {"yearly parent takes 365 days", Rounds(300, 1, TimeUnit::days, ScheduleType::yearly), ""},
    };
    for (const auto& [note, record, expected] : cases) {
        const Result checked = CheckSubRepeat(record);
        EXPECT_EQ(checked.ok(), std::string(expected).empty()) << note;
        EXPECT_EQ(checked.message(), expected) << note;
    }
}

}  // namespace
}  // namespace tidewell
