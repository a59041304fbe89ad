#include "timing/randomization.h"
#include "support/test_clock.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "support/task_builder.h"
#include "timing/next_run.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// A Daily task at 08:00 and 08:10 with randomization on, its next run computed at 07:00.
TaskRecord RandomizedDaily(bool adjust, int rp = 1800) {
    TaskRecord task = DailyTask({TimeOfDayValue(8), TimeOfDayValue(8, 10)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.adjustValidRp = adjust;
    task.randomizationInfo.rpTotalSeconds = rp;
    task.randomizationInfo.decidedTime = 1;
    NextRunTime(At(2006, 3, 13, 7), task);
    return task;
}

TEST(SplitPeriod, TheLargestUnitThatShowsTheSecondsWell) {
    const std::tuple<int64_t, int64_t, TimeUnit> cases[] = {{60, 1, TimeUnit::minutes},
                                                            {3601, 3601, TimeUnit::seconds},
                                                            {7200, 2, TimeUnit::hours},
                                                            {12030, 200, TimeUnit::minutes},
                                                            {43200001, 12000, TimeUnit::hours}};
    for (const auto& [seconds, quantity, unit] : cases) {
        EXPECT_EQ(SplitPeriod(seconds).quantity, quantity) << seconds;
        EXPECT_EQ(SplitPeriod(seconds).unit, unit) << seconds;
    }
}

// A Daily task at 08:00 ending at `ending`, with randomization on, its next run computed at 07:00.
TaskRecord EndingDaily(DateTime ending) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = ending;
    task.randomizationInfo.enable = true;
    NextRunTime(At(2006, 3, 13, 7), task);
    return task;
}

TEST(ValidPeriod, LimitedByTheFollowingRunOrTheEnding) {
    TestClock clock(At(2006, 3, 13, 7));
    FixedRandom random(1);
    NextRunContext context{clock, random};
    struct Case {
        const char* note;
        TaskRecord task;
        std::optional<int64_t> period;  // nullopt: no room, randomization switched off
    };
    const Case cases[] = {
        {"adjusted to the following run", RandomizedDaily(true), 600},
        {"kept when not adjusted", RandomizedDaily(false), 1800},
        {"limited by the ending", EndingDaily(At(2006, 3, 13, 8, 20)), 1200},
        {"ending at the run itself", EndingDaily(At(2006, 3, 13, 8)), 0},
        {"ending before the next run", EndingDaily(At(2006, 3, 13, 7, 59)), std::nullopt},
    };
    for (const Case& c : cases) {
        TaskRecord task = c.task;
        std::optional<ValidPeriodResult> valid = ValidPeriod(task, context);
        EXPECT_EQ(valid.has_value(), c.period.has_value()) << c.note;
        EXPECT_EQ(task.randomizationInfo.enable, c.period.has_value()) << c.note;
        EXPECT_EQ(task.randomizationInfo.rpTotalSeconds,
                  c.period.value_or(task.randomizationInfo.rpTotalSeconds))
            << c.note;
    }
}

TEST(Decide, DrawsInsideThePeriodAndFlagsOverTime) {
    TestClock clock(At(2006, 3, 13, 7));
    struct Case {
        bool adjust;
        int64_t drawn;  // the source answers min(drawn, period)
        int64_t offset;
        bool overTime;
    };
    const Case cases[] = {{true, 1200, 600, false},
                          {true, 1, 1, false},
                          {false, 1200, 1200, true},
                          {false, 600, 600, false},
                          {false, 601, 601, true}};
    for (const Case& c : cases) {
        FixedRandom fixed(c.drawn);
        NextRunContext context{clock, fixed};
        TaskRecord task = RandomizedDaily(c.adjust);
        ASSERT_TRUE(Decide(task, context));
        EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8) + TimeSpan::FromSeconds(c.offset));
        EXPECT_TRUE(task.randomizationInfo.finalSet);
        EXPECT_EQ(task.randomizationInfo.overTime, c.overTime) << c.drawn;
    }
}

TEST(Decide, ZeroPeriodRunsAtTheScheduledTime) {
    TestClock clock(At(2006, 3, 13, 7));
    FixedRandom random(5);
    NextRunContext context{clock, random};
    TaskRecord task = EndingDaily(At(2006, 3, 13, 8));
    ASSERT_TRUE(Decide(task, context));
    EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8));
    EXPECT_EQ(random.draws, 0);
}

TEST(Decide, DrawsReachBothEndsOfThePeriodAndNothingElse) {
    StandardRandomSource seeded(2006);
    std::map<int64_t, int> counts;
    for (int i = 0; i < 20000; ++i) counts[seeded.DrawOneTo(50)]++;
    ASSERT_EQ(counts.size(), 50u);
    EXPECT_EQ(counts.begin()->first, 1);
    EXPECT_EQ(counts.rbegin()->first, 50);
    for (const auto& [value, count] : counts) EXPECT_NEAR(count, 400, 100) << value;
}

TEST(GetNextRunString, DecideWhenSetRedrawsOnlyWhenTheNextRunMoves) {
    TestClock clock(At(2006, 3, 13, 7));
    FixedRandom random(60);
    NextRunContext context{clock, random};
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.decidedTime = 0;
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 1);
    EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8, 1));
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 1);  // same next run, decision kept
    task.scheduleInfo.daily = {TimeOfDayValue(9)};
    GetNextRunString(task, context);
    EXPECT_EQ(random.draws, 2);  // edited times move the next run
    EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 9, 1));
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
    struct Case {
        const char* note;
        bool finalSet;
        int64_t storedOffset;
        bool force;
        bool drawn;
    };
    const Case cases[] = {
        {"decided for a future run", true, 5000, false, false},
        {"undecided but inside the period", false, 300, false, false},
        {"undecided at the next run itself", false, 0, false, true},
        {"undecided beyond the period", false, 601, false, true},
        {"forced", false, 300, true, true},
    };
    for (const Case& c : cases) {
        FixedRandom random(42);
        NextRunContext context{clock, random};
        TaskRecord task = RandomizedDaily(true);
        task.randomizationInfo.finalSet = c.finalSet;
        task.randomizationInfo.finalTime = At(2006, 3, 13, 8) + TimeSpan::FromSeconds(c.storedOffset);
        RefreshRandom(task, c.force, context);
        EXPECT_EQ(random.draws, c.drawn ? 1 : 0) << c.note;
        if (c.drawn) {
            EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8, 0, 42)) << c.note;
        }
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
