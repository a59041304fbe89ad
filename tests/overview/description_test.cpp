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

TaskRecord Task(TaskType type, std::function<void(TaskInfo&)> set) {
    TaskRecord task;
    task.taskInfo.taskType = type;
    set(task.taskInfo);
    return task;
}

TEST_F(Description, TaskSection) {
    struct Case {
        TaskRecord task;
        std::string english;
    };
    const Case cases[] = {
        {Task(TaskType::program,
              [](TaskInfo& i) { i.programPath = "/usr/bin/rsync", i.parameter = "-a x y"; }),
         "Run program \"/usr/bin/rsync\" with parameter\"-a x y\""},  // no extension is a program here
        {Task(TaskType::program, [](TaskInfo& i) { i.programPath = "/home/ann/a.pdf", i.parameter = "x"; }),
         "Open file \"/home/ann/a.pdf\""},
        {Task(TaskType::program, [](TaskInfo& i) { i.programPath = "https://example.org/"; }),
         "Open file \"https://example.org/\""},
        {Task(TaskType::macro, [](TaskInfo& i) { i.macroPath = "/m/a.rwm", i.macroPassword = "pw"; }),
         "Run macro \"/m/a.rwm\" (encrypted macro)"},
        {Task(TaskType::notice,
              [](TaskInfo& i) { i.noticeMsg = "Time to stretch your legs and drink water."; }),
         "Show notice message \"Time to stretch your legs and drink w...\"."},
        {Task(TaskType{7}, [](TaskInfo&) {}), "false task type.\r\n\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(TaskSectionText(c.task), c.english);
}

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

// The options page's example writes a list of months as the task list does, in each language.
TEST_F(Description, MonthFormatExamplesSeparateMonthsAsTheListDoes) {
    SetLanguage(kLcidSimplifiedChinese);
    const MonthFormatExamples examples = MonthFormatExampleTexts(kMonthFormatShort);
    EXPECT_NE(examples.listEvery.find("1月、2月、3月"), std::string::npos) << examples.listEvery;
    EXPECT_NE(examples.useRange.find("1月-3月"), std::string::npos) << examples.useRange;
}

TEST_F(Description, RandomizationMarker) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.finalSet = true;
    task.randomizationInfo.finalTime = At(2006, 3, 13, 8, 12, 30);
    EXPECT_EQ(WithRandomizationMarker("text", task, At(2006, 3, 13, 8)), "Randomized...03-13-2006 08:12:30");
    EXPECT_EQ(WithRandomizationMarker("text", task, At(2006, 3, 13, 8, 12, 30)), "text + Randomization");
    task.randomizationInfo.enable = false;
    EXPECT_EQ(WithRandomizationMarker("text", task, At(2006, 3, 13, 8)), "text");
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

TEST_F(Description, ShortenedPaths) {
    struct Case {
        std::string path;
        std::size_t max;
        std::string expected;
    };
    const Case cases[] = {
        {"/home/ann/projects/2006/reports/march/summary.txt", 32, "/home/.../march/summary.txt"},
        {"/home/a-very-long-folder-name/summary.txt", 20, ".../summary.txt"},
        {"/home/ann/a-file-name-longer-than-the-limit.txt", 20, "a-file-name-longe..."},
        {"/家/安娜/项目/二〇〇六/报告/三月/总结.txt", 16, "/家/.../三月/总结.txt"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortenPath(c.path, c.max), c.expected) << c.path << " " << c.max;
}

}  // namespace
}  // namespace tidewell
