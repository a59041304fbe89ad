#include <gtest/gtest.h>

#include <functional>

#include "support/task_builder.h"
#include "support/test_clock.h"
#include "timing/count_down.h"
#include "timing/next_run.h"

namespace tidewell::testing {
namespace {

const DateTime kStart = At(2026, 12, 8, 9);
const DateTime kClear = At(2026, 12, 8, 9, 2);

// A five-minute count-down started at 09:00:00, so due at 09:05:00.
TaskRecord FiveMinutes() {
    TaskRecord task = ScheduledTask(ScheduleType::countDown);
    task.scheduleInfo.countDownSeconds = 300;
    task.scheduleInfo.startingTime = kStart + TimeSpan::FromSeconds(300);
    return task;
}

// Every instant the schedule gives as a run, walked from the start of the day on.
std::vector<DateTime> RunsOfTheDay(TaskRecord task) {
    std::vector<DateTime> runs;
    DateTime now = At(2026, 12, 8);
    while (NextRunFields(now, task) && task.scheduleInfo.nextRunTime < At(2026, 12, 9)) {
        now = task.scheduleInfo.nextRunTime;
        runs.push_back(now);
    }
    return runs;
}

// After a clear, whatever follows, no instant of the day is a run: neither the clear's own
// instant (which the walk and the start-up catch-up used to report) nor the start of the day.
TEST(CountDownCommands, ClearedCountDownHasNoRunPastOrComing) {
    using Step = std::function<void(TaskRecord&, const NextRunContext&)>;
    const Step clear = [](TaskRecord& task, const NextRunContext& context) {
        EXPECT_TRUE(ClearAndStopCountDown(task, context));
    };
    const Step pauseOrContinue = [](TaskRecord& task, const NextRunContext& context) {
        EXPECT_TRUE(PauseOrContinueCountDown(task, context));
    };
    const Step toggle = [](TaskRecord& task, const NextRunContext& context) {
        ToggleTaskEnabled(task, context);
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"clear", {clear}},
        {"clear, then pause", {clear, pauseOrContinue}},
        {"clear, pause, continue", {clear, pauseOrContinue, pauseOrContinue}},
        {"clear, disable, enable", {clear, toggle, toggle}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestClock clock(kClear);
        FixedRandom random(0);
        const NextRunContext context{clock, random};
        TaskRecord task = FiveMinutes();
        ASSERT_EQ(RunsOfTheDay(task), std::vector<DateTime>{kStart + TimeSpan::FromSeconds(300)});
        for (const Step& step : c.steps) {
            step(task, context);
            clock.Advance(1);
        }
        EXPECT_EQ(RunsOfTheDay(task), std::vector<DateTime>{});
        EXPECT_FALSE(task.scheduleInfo.haveNextRunTime);
        PreviousRun(At(2026, 12, 8, 23), task);
        EXPECT_FALSE(task.scheduleInfo.havePreviousRunTime);
    }
}

}  // namespace
}  // namespace tidewell::testing
