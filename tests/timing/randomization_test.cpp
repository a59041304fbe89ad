#include "timing/randomization.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/task_builder.h"
#include "support/test_clock.h"
#include "timing/next_run.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// A Daily task at 08:00 (and 08:10 unless `ending` is given) with randomization on, its next run
// computed at 07:00.
TaskRecord RandomizedDaily(bool adjust, std::optional<DateTime> ending = std::nullopt) {
    TaskRecord task =
        ending ? DailyTask({TimeOfDayValue(8)}) : DailyTask({TimeOfDayValue(8), TimeOfDayValue(8, 10)});
    task.scheduleInfo.haveEndingTime = ending.has_value();
    task.scheduleInfo.endingTime = ending.value_or(DateTime{});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.adjustValidRp = adjust;
    task.randomizationInfo.rpTotalSeconds = 1800;
    task.randomizationInfo.decidedTime = 1;
    NextRunTime(At(2006, 3, 13, 7), task);
    return task;
}

TEST(Decide, DrawsInsideThePeriodAndFlagsOverTime) {
    TestClock clock(At(2006, 3, 13, 7));
    const std::tuple<bool, int64_t, int64_t, bool> cases[] = {
        // adjust, drawn (the source answers min(drawn, period)), offset, over time
        {true, 1200, 600, false},
        {false, 1200, 1200, true},
        {false, 600, 600, false},
        {false, 601, 601, true}};
    for (const auto& [adjust, drawn, offset, overTime] : cases) {
        FixedRandom fixed(drawn);
        NextRunContext context{clock, fixed};
        TaskRecord task = RandomizedDaily(adjust);
        ASSERT_TRUE(Decide(task, context));
        EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8) + TimeSpan::FromSeconds(offset));
        EXPECT_EQ(task.randomizationInfo.overTime, overTime) << drawn;
    }
    FixedRandom random(5);
    NextRunContext context{clock, random};
    TaskRecord zero = RandomizedDaily(true, At(2006, 3, 13, 8));  // a period of 0 draws nothing
    ASSERT_TRUE(Decide(zero, context));
    EXPECT_EQ(zero.randomizationInfo.finalTime, At(2006, 3, 13, 8));
    EXPECT_EQ(random.draws, 0);
}

TEST(GetNextRunString, DecideWhenSetRedrawsOnlyWhenTheNextRunMoves) {
    TestClock clock(At(2006, 3, 13, 7));
    FixedRandom random(60);
    NextRunContext context{clock, random};
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.decidedTime = 0;
    GetNextRunString(task, context);
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 1);  // same next run, decision kept
    EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8, 1));
    task.scheduleInfo.daily = {TimeOfDayValue(9)};
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 2);  // edited times move the next run
    clock.Set(At(2006, 3, 13, 8, 59));
    task.randomizationInfo.finalTime = At(2006, 3, 13, 8, 58);
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 3);  // a decided time in the past is drawn again
    task.randomizationInfo.decidedTime = 1;
    task.scheduleInfo.daily = {TimeOfDayValue(10)};
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 3);  // decide when due: never drawn here
}

TEST(RefreshRandom, KeepsAValidDecisionAndRedrawsAnInvalidOne) {
    TestClock clock(At(2006, 3, 13, 7));
    const std::tuple<const char*, bool, int64_t, bool, bool> cases[] = {
        // final set, stored offset, forced, drawn again
        {"decided for a future run", true, 5000, false, false},
        {"undecided but inside the period", false, 300, false, false},
        {"undecided at the next run itself", false, 0, false, true},
        {"undecided beyond the period", false, 601, false, true},
        {"forced", false, 300, true, true},
    };
    for (const auto& [note, finalSet, storedOffset, force, drawn] : cases) {
        FixedRandom random(42);
        NextRunContext context{clock, random};
        TaskRecord task = RandomizedDaily(true);
        task.randomizationInfo.finalSet = finalSet;
        task.randomizationInfo.finalTime = At(2006, 3, 13, 8) + TimeSpan::FromSeconds(storedOffset);
        RefreshRandom(task, force, context);
        EXPECT_EQ(random.draws, drawn ? 1 : 0) << note;
    }
    FixedRandom random(42);
    NextRunContext context{clock, random};
    TaskRecord expired = RandomizedDaily(true);
    expired.randomizationInfo.finalSet = true;
    expired.scheduleInfo.haveNextRunTime = false;
    EXPECT_FALSE(RefreshRandom(expired, false, context));
    EXPECT_FALSE(expired.randomizationInfo.finalSet);
}

}  // namespace
}  // namespace tidewell
