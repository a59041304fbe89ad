#include "overview/description.h"

#include <gtest/gtest.h>

#include "overview/task_texts.h"
#include "support/task_builder.h"
#include "support/test_clock.h"
#include "text/language.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

class Description : public ::testing::Test {
protected:
    void TearDown() override { ResetLanguage(); }
};

TEST_F(Description, ScheduleTexts) {
    TaskRecord countDown = ScheduledTask(ScheduleType::countDown);
    countDown.scheduleInfo.countDownDays = 2;
    countDown.scheduleInfo.countDownSeconds = 5400;
    countDown.scheduleInfo.countDownRunning = false;
    const MonthlyItem spring = InMonths(DayOfMonth(5, TimeOfDayValue(9)), {1, 2, 3, 6});
    const DescriptionOptions ranges;
    struct Case {
        TaskRecord task;
        DescriptionOptions options;
        std::string english, chinese;  // chinese empty: not checked
    };
    const Case cases[] = {
        {WeeklyTask({{1, TimeOfDayValue(8)}, {1, TimeOfDayValue(20)}, {5, TimeOfDayValue(9, 30)}}), ranges,
         "Run every week on the following time(s):\r\nMonday 08:00:00, 20:00:00, Friday 09:30:00", ""},
        {YearlyTask({spring}), ranges, "Run every year on the following time(s):\r\nJan-Mar, Jun 5 09:00:00",
         "每年在以下时间运行：\r\n1月-3月、6月 5 09:00:00"},
        {YearlyTask({spring}),
         {false, kMonthFormatFull},
         "Run every year on the following time(s):\r\nJanuary, February, March, June 5 09:00:00",
         ""},
        {OnceTask({At(2006, 3, 6, 18), At(2006, 3, 5, 9), At(2006, 3, 5, 14, 30)}), ranges,
         "Run 3 times, the times are 3-5-2006 09:00:00, 14:30:00, 3-6-2006 18:00:00", ""},
        {countDown, ranges, "Countdown. Starting time is 2day(s) 01:30:00 (Paused)", ""},
    };
    for (const Case& c : cases) {
        ResetLanguage();
        EXPECT_EQ(ScheduleText(c.task, c.options), c.english);
        if (c.chinese.empty()) continue;
        SetLanguage(kLcidSimplifiedChinese);
        EXPECT_EQ(ScheduleText(c.task, c.options), c.chinese);
    }
}

// The list's Description column and the schedule section of `describe` come from one text: the
// list used to drop the marker.
TEST_F(Description, ListAndDescribeShowTheSameMarkedSchedule) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.finalSet = true;
    task.randomizationInfo.finalTime = At(2006, 3, 13, 8, 12, 30);
    const std::string daily = "Run every day on the following time(s):\r\n08:00:00";
    struct Case {
        DateTime now;
        std::string list;
    };
    const Case cases[] = {
        {At(2006, 3, 13, 8), "Randomized...03-13-2006 08:12:30"},
        {At(2006, 3, 13, 9), daily + " + Randomization"},
    };
    TestClock clock;
    FixedRandom random;
    for (const Case& c : cases) {
        clock.Set(c.now);
        EXPECT_EQ(TaskDescriptionText(task, {}, c.now), c.list);
        const std::string schedule = DescribeTask(task, {}, {clock, random}).schedule;
        EXPECT_EQ(schedule.substr(0, schedule.find("\r\nStart/End")), c.list);
    }
}

}  // namespace
}  // namespace tidewell
