#include "support/test_clock.h"
#include "timing/randomization.h"

#include <gtest/gtest.h>

#include <set>

#include "support/task_builder.h"
#include "timing/next_run.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

class CountingRandom final : public RandomSource {
public:
    explicit CountingRandom(int64_t value) : m_value(value) {}
    int64_t DrawOneTo(int64_t n) override {
        ++draws;
        return std::min(m_value, n);
    }
    int draws = 0;

private:
    int64_t m_value;
};

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

TEST(SplitPeriod, DisplayPairs) {
    struct Case {
        int64_t seconds;
        int64_t quantity;
        TimeUnit unit;
    };
    const Case cases[] = {
        {1800, 30, TimeUnit::minutes},      {5400, 90, TimeUnit::minutes},
        {7200, 2, TimeUnit::hours},         {3601, 3601, TimeUnit::seconds},
        {720001, 200, TimeUnit::hours},     {59, 59, TimeUnit::seconds},
        {60, 1, TimeUnit::minutes},         {3599, 3599, TimeUnit::seconds},
        {11999, 11999, TimeUnit::seconds},  {12000, 200, TimeUnit::minutes},
        {12030, 200, TimeUnit::minutes},    {14400, 4, TimeUnit::hours},
        {43200000, 12000, TimeUnit::hours}, {43200001, 12000, TimeUnit::hours},
        {0, 0, TimeUnit::seconds},
    };
    for (const Case& c : cases) {
        PeriodDisplay display = SplitPeriod(c.seconds);
        EXPECT_EQ(display.quantity, c.quantity) << c.seconds;
        EXPECT_EQ(display.unit, c.unit) << c.seconds;
    }
}

TEST(ValidPeriod, LimitedByTheFollowingRunOrTheEnding) {
    TestClock clock(At(2006, 3, 13, 7));
    CountingRandom random(1);
    NextRunContext context{clock, random};

    TaskRecord adjusted = RandomizedDaily(true);
    std::optional<ValidPeriodResult> valid = ValidPeriod(adjusted, context);
    ASSERT_TRUE(valid);
    EXPECT_EQ(valid->limit, 600);
    EXPECT_EQ(adjusted.randomizationInfo.rpTotalSeconds, 600);
    EXPECT_EQ(valid->display.quantity, 10);
    EXPECT_TRUE(adjusted.randomizationInfo.enable);

    TaskRecord kept = RandomizedDaily(false);
    valid = ValidPeriod(kept, context);
    ASSERT_TRUE(valid);
    EXPECT_EQ(kept.randomizationInfo.rpTotalSeconds, 1800);

    TaskRecord ending = DailyTask({TimeOfDayValue(8)});
    ending.scheduleInfo.haveEndingTime = true;
    ending.scheduleInfo.endingTime = At(2006, 3, 13, 8, 20);
    ending.randomizationInfo.enable = true;
    NextRunTime(clock.Now(), ending);
    valid = ValidPeriod(ending, context);
    ASSERT_TRUE(valid);
    EXPECT_EQ(ending.randomizationInfo.rpTotalSeconds, 1200);

    // An ending before the next run leaves no room: randomization is switched off.
    TaskRecord noRoom = ending;
    noRoom.scheduleInfo.endingTime = At(2006, 3, 13, 7, 59);
    EXPECT_FALSE(ValidPeriod(noRoom, context));
    EXPECT_FALSE(noRoom.randomizationInfo.enable);
}

TEST(Decide, DrawsInsideThePeriodAndFlagsOverTime) {
    TestClock clock(At(2006, 3, 13, 7));
    StandardRandomSource seeded(7);
    NextRunContext context{clock, seeded};
    for (int i = 0; i < 200; ++i) {
        TaskRecord task = RandomizedDaily(true);
        ASSERT_TRUE(Decide(task, context));
        DateTime tr = task.randomizationInfo.finalTime;
        EXPECT_GE(tr, At(2006, 3, 13, 8, 0, 1));
        EXPECT_LE(tr, At(2006, 3, 13, 8, 10));
        EXPECT_TRUE(task.randomizationInfo.finalSet);
        EXPECT_FALSE(task.randomizationInfo.overTime);
    }

    struct Case {
        int64_t offset;
        bool overTime;
    };
    for (const Case& c : {Case{1200, true}, Case{600, false}, Case{601, true}}) {
        CountingRandom fixed(c.offset);
        NextRunContext fixedContext{clock, fixed};
        TaskRecord task = RandomizedDaily(false);
        ASSERT_TRUE(Decide(task, fixedContext));
        EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8) + TimeSpan::FromSeconds(c.offset));
        EXPECT_EQ(task.randomizationInfo.overTime, c.overTime) << c.offset;
    }
}

TEST(Decide, ZeroPeriodRunsAtTheScheduledTime) {
    TestClock clock(At(2006, 3, 13, 7));
    CountingRandom random(5);
    NextRunContext context{clock, random};
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = At(2006, 3, 13, 8);
    task.randomizationInfo.enable = true;
    NextRunTime(clock.Now(), task);
    ASSERT_TRUE(Decide(task, context));
    EXPECT_EQ(task.randomizationInfo.rpTotalSeconds, 0);
    EXPECT_EQ(task.randomizationInfo.finalTime, At(2006, 3, 13, 8));
    EXPECT_EQ(random.draws, 0);
}

TEST(Decide, DrawsAreUniformOverTheWholePeriod) {
    StandardRandomSource seeded(2006);
    constexpr int64_t kPeriod = 50;
    std::map<int64_t, int> counts;
    for (int i = 0; i < 20000; ++i) counts[seeded.DrawOneTo(kPeriod)]++;
    EXPECT_EQ(counts.size(), static_cast<size_t>(kPeriod));
    EXPECT_EQ(counts.begin()->first, 1);
    EXPECT_EQ(counts.rbegin()->first, kPeriod);
    for (const auto& [value, count] : counts) {
        EXPECT_GT(count, 300) << value;  // 400 expected
        EXPECT_LT(count, 500) << value;
    }
    // Large periods reach their far end too.
    int64_t largest = 0;
    for (int i = 0; i < 1000; ++i) largest = std::max(largest, seeded.DrawOneTo(kMaxRandomPeriodSeconds));
    EXPECT_GT(largest, kMaxRandomPeriodSeconds * 99 / 100);
}

TEST(GetNextRunString, DecideWhenSetRedrawsOnlyWhenTheNextRunMoves) {
    TestClock clock(At(2006, 3, 13, 7));
    CountingRandom random(60);
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
        CountingRandom random(42);
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

    CountingRandom random(42);
    NextRunContext context{clock, random};
    TaskRecord expired = RandomizedDaily(true);
    expired.randomizationInfo.finalSet = true;
    expired.scheduleInfo.haveNextRunTime = false;
    EXPECT_FALSE(RefreshRandom(expired, false, context));
    EXPECT_FALSE(expired.randomizationInfo.finalSet);
}

TEST(Randomize, ModesAndUnknownMode) {
    TestClock clock(At(2006, 3, 13, 7));
    CountingRandom random(1);
    NextRunContext context{clock, random};
    TaskRecord task = RandomizedDaily(true);
    auto split = Randomize(task, 7200, 0, context);
    ASSERT_TRUE(split);
    EXPECT_EQ(split->display.quantity, 2);
    EXPECT_EQ(task.randomizationInfo.rpTotalSeconds, 1800);  // splitting changes nothing
    auto valid = Randomize(task, 0, 1, context);
    ASSERT_TRUE(valid);
    EXPECT_EQ(valid->limit, 600);
    auto decided = Randomize(task, 0, 2, context);
    ASSERT_TRUE(decided);
    EXPECT_TRUE(task.randomizationInfo.finalSet);
    EXPECT_FALSE(Randomize(task, 0, 3, context));
}

}  // namespace
}  // namespace tidewell
