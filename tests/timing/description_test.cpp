#include "timing/description.h"

#include <gtest/gtest.h>

#include "support/task_builder.h"
#include "support/test_clock.h"
#include "text/language.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// Both languages of every case: the Chinese column is the program's other text.
class Description : public ::testing::Test {
protected:
    void TearDown() override { ResetLanguage(); }
    template <typename Text>
    void ExpectBoth(Text text, const std::string& english, const std::string& chinese, const char* note) {
        ResetLanguage();
        EXPECT_EQ(text(), english) << note;
        SetLanguage(kLcidSimplifiedChinese);
        EXPECT_EQ(text(), chinese) << note;
        ResetLanguage();
    }
};

TaskRecord ProgramTask(std::string path, std::string parameter = {}) {
    TaskRecord task;
    task.taskInfo.programPath = std::move(path);
    task.taskInfo.parameter = std::move(parameter);
    return task;
}

TaskRecord Task(TaskType type, std::function<void(TaskInfo&)> set) {
    TaskRecord task;
    task.taskInfo.taskType = type;
    set(task.taskInfo);
    return task;
}

TEST_F(Description, TaskSection) {
    struct Case {
        const char* note;
        TaskRecord task;
        std::string english, chinese;
    };
    const Case cases[] = {
        {".exe without parameter runs the program", ProgramTask("/opt/tools/backup.EXE"),
         "Run program \"/opt/tools/backup.EXE\"", "运行程序“/opt/tools/backup.EXE”"},
        {"no extension is a program here", ProgramTask("/usr/bin/rsync", "-a src dst"),
         "Run program \"/usr/bin/rsync\" with parameter\"-a src dst\"",
         "运行程序“/usr/bin/rsync”，参数为“-a src dst”"},
        {"a document is opened", ProgramTask("/home/ann/report.pdf", "ignored"),
         "Open file \"/home/ann/report.pdf\"", "打开文件“/home/ann/report.pdf”"},
        {"a URL is opened", ProgramTask("https://example.org/"), "Open file \"https://example.org/\"",
         "打开文件“https://example.org/”"},
        {"macro with a password",
         Task(TaskType::macro, [](TaskInfo& i) { i.macroPath = "/m/a.rwm", i.macroPassword = "pw"; }),
         "Run macro \"/m/a.rwm\" (encrypted macro)", "运行宏“/m/a.rwm” (加密的宏)"},
        {"notice cut at 40 characters",
         Task(TaskType::notice,
              [](TaskInfo& i) { i.noticeMsg = "Time to stretch your legs and drink some water."; }),
         "Show notice message \"Time to stretch your legs and drink s...\".",
         "显示通知消息“Time to stretch your legs and drink s...”。"},
        {"operation names of the task page",
         Task(TaskType::windowsOperation, [](TaskInfo& i) { i.swoType = WindowsOperation::reboot; }),
         "Reboot", "重新启动"},
        {"unknown operation",
         Task(TaskType::windowsOperation, [](TaskInfo& i) { i.swoType = WindowsOperation{9}; }),
         "false task type.\r\n\r\n", "false task type.\r\n\r\n"},
        {"unknown task type", Task(TaskType{7}, [](TaskInfo&) {}), "false task type.\r\n\r\n",
         "false task type.\r\n\r\n"},
    };
    for (const Case& c : cases)
        ExpectBoth([&] { return TaskSectionText(c.task); }, c.english, c.chinese, c.note);
}

TEST_F(Description, SoundAndWaitingSections) {
    SoundInfo off;
    off.noticeSound = false;
    SoundInfo beep;
    beep.duration = 5;
    beep.beepBeep = 300;
    beep.beepDelay = 700;
    SoundInfo music;
    music.type = 2;
    music.musicFilePath = "/music/bell.mid";
    ExpectBoth([&] { return SoundSectionText(off); }, "Not used.", "不使用。", "off");
    ExpectBoth([&] { return SoundSectionText(beep); },
               "Beep for 5 second(s) at frequency 2000 Hz, one round beep/delay time is 300/700 milliseconds",
               "以 2000 Hz 的频率蜂鸣 5 秒，每轮蜂鸣/间隔时间为 300/700 毫秒", "beep");
    ExpectBoth([&] { return SoundSectionText(music); },
               "Play music file \"/music/bell.mid\" for 60 second(s)", "播放音乐文件“/music/bell.mid” 60 秒",
               "music");
    struct Case {
        WaitingInfo waiting;
        std::string english, chinese;
    };
    const Case cases[] = {
        {{0, TimeUnit::hours}, "When Busy: give up without waiting.", "忙碌时：不等待，直接放弃。"},
        {{120, TimeUnit::minutes}, "When Busy: wait for 120 minute(s).", "忙碌时：等待 120 分钟。"},
        {{121, TimeUnit::minutes}, "When Busy: keep waiting.", "忙碌时：一直等待。"},
    };
    for (const Case& c : cases)
        ExpectBoth([&] { return WaitingSectionText(c.waiting); }, c.english, c.chinese, c.english.c_str());
}

TEST_F(Description, ScheduleTexts) {
    TaskRecord countDown = ScheduledTask(ScheduleType::countDown);
    countDown.scheduleInfo.countDownDays = 2;
    countDown.scheduleInfo.countDownSeconds = 5400;
    countDown.scheduleInfo.countDownRunning = false;
    TaskRecord shortCountDown = ScheduledTask(ScheduleType::countDown);
    shortCountDown.scheduleInfo.countDownSeconds = 3725;
    TaskRecord logon = ScheduledTask(ScheduleType::atLogon);
    logon.scheduleInfo.atLogonWait = true;
    TaskRecord unknown = ScheduledTask(ScheduleType{12});
    DescriptionOptions ranges;
    DescriptionOptions fullList{false, kMonthFormatFull};
    struct Case {
        const char* note;
        TaskRecord task;
        DescriptionOptions options;
        std::string english, chinese;
    };
    const Case cases[] = {
        {"daily", DailyTask({TimeOfDayValue(8), TimeOfDayValue(20)}), ranges,
         "Run every day on the following time(s):\r\n08:00:00, 20:00:00",
         "每天在以下时间运行：\r\n08:00:00, 20:00:00"},
        {"weekday written once per day",
         WeeklyTask({{1, TimeOfDayValue(8)}, {1, TimeOfDayValue(20)}, {5, TimeOfDayValue(9, 30)}}), ranges,
         "Run every week on the following time(s):\r\nMonday 08:00:00, 20:00:00, Friday 09:30:00",
         "每周在以下时间运行：\r\n星期一 08:00:00, 20:00:00, 星期五 09:30:00"},
        {"month runs as ranges", YearlyTask({InMonths(DayOfMonth(5, TimeOfDayValue(9)), {1, 2, 3, 6})}),
         ranges, "Run every year on the following time(s):\r\nJan-Mar, Jun 5 09:00:00",
         "每年在以下时间运行：\r\n1月-3月、6月 5 09:00:00"},
        {"every month listed in full", YearlyTask({InMonths(DayOfMonth(5, TimeOfDayValue(9)), {1, 2, 3, 6})}),
         fullList, "Run every year on the following time(s):\r\nJanuary, February, March, June 5 09:00:00",
         "每年在以下时间运行：\r\n一月、二月、三月、六月 5 09:00:00"},
        {"a repeated head adds only the time",
         MonthlyTask({DayOfMonth(31, TimeOfDayValue(10)), DayOfMonth(31, TimeOfDayValue(22)),
                      WeekdayOfMonth(5, 4, TimeOfDayValue(18)),
                      InMonths(DayOfMonth(1, TimeOfDayValue(6)), {12})}),
         ranges,
         "Run every month on the following time(s):\r\nEvery month 31 10:00:00, 22:00:00, Every month (Last "
         "week) "
         "Friday 18:00:00, Dec 1 06:00:00",
         "每月在以下时间运行：\r\n每月 31 10:00:00, 22:00:00, 每月 (最后一周) 星期五 18:00:00, 12月 1 "
         "06:00:00"},
        {"once", OnceTask({At(2006, 3, 5, 9)}), ranges, "Run once, the time is 3-5-2006 09:00:00",
         "运行一次，时间为 3-5-2006 09:00:00"},
        {"several times, each date once",
         OnceTask({At(2006, 3, 6, 18), At(2006, 3, 5, 9), At(2006, 3, 5, 14, 30)}), ranges,
         "Run 3 times, the times are 3-5-2006 09:00:00, 14:30:00, 3-6-2006 18:00:00",
         "运行 3 次，时间为 3-5-2006 09:00:00, 14:30:00, 3-6-2006 18:00:00"},
        {"repeating", RepeatingTask(At(2006, 1, 1), 90, TimeUnit::minutes), ranges,
         "Repeatedly with period 90 minute(s)", "以 90 分钟 为周期重复运行"},
        {"paused count-down with days", countDown, ranges,
         "Countdown. Starting time is 2day(s) 01:30:00 (Paused)",
         "倒计时。开始时间为 2天 01:30:00 （已暂停）"},
        {"count-down within a day", shortCountDown, ranges, "Countdown. Starting time is 01:02:05",
         "倒计时。开始时间为 01:02:05"},
        {"at logon with a wait", logon, ranges, "Each time when user logon the system (+3 minute(s))",
         "每次用户登录系统时 (+3 分钟)"},
        {"unknown schedule type", unknown, ranges, "false schedule type.\r\n\r\n",
         "false schedule type.\r\n\r\n"},
    };
    for (const Case& c : cases)
        ExpectBoth([&] { return ScheduleText(c.task, c.options); }, c.english, c.chinese, c.note);
}

TEST_F(Description, StartEndLineAndRandomizationMarker) {
    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.scheduleInfo.startingTime = At(2006, 3, 1, 8);
    ExpectBoth([&] { return ScheduleSectionText(task, {}, At(2006, 3, 13)); },
               "Run every day on the following time(s):\r\n08:00:00\r\nStart/End: 3-1-2006 08:00:00 - N/A",
               "每天在以下时间运行：\r\n08:00:00\r\n开始/结束: 3-1-2006 08:00:00 - 无", "no ending time");
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = At(2006, 12, 31, 23, 59, 59);
    EXPECT_EQ(StartEndLine(task.scheduleInfo), "Start/End: 3-1-2006 08:00:00 - 12-31-2006 23:59:59");

    task.randomizationInfo.enable = true;
    task.randomizationInfo.finalSet = true;
    task.randomizationInfo.finalTime = At(2006, 3, 13, 8, 12, 30);
    ExpectBoth([&] { return WithRandomizationMarker("text", task, At(2006, 3, 13, 8)); },
               "Randomized...03-13-2006 08:12:30", "已随机化...03-13-2006 08:12:30", "final time ahead");
    ExpectBoth([&] { return WithRandomizationMarker("text", task, At(2006, 3, 13, 8, 12, 30)); },
               "text + Randomization", "text + 随机化", "final time reached");
    task.randomizationInfo.enable = false;
    EXPECT_EQ(WithRandomizationMarker("text", task, At(2006, 3, 13, 8)), "text");
}

TEST_F(Description, RandomizationSection) {
    TestClock clock(At(2006, 3, 13, 7));
    FixedRandom random(90);
    NextRunContext context{clock, random};
    TaskRecord task = DailyTask({TimeOfDayValue(8), TimeOfDayValue(8, 10)});
    task.randomizationInfo.enable = true;
    task.randomizationInfo.decidedTime = 0;
    NextRunTime(clock.Now(), task);
    ExpectBoth(
        [&] { return RandomizationSectionText(task, context); },
        "Randomization period = 10 minute(s)\r\nWhen to decide final time: When the schedule time is set "
        "(earlier)\r\nFinal running time: 2006-03-13 08:01:30",
        "随机时段 = 10 分钟\r\n决定最终时间的时机：设置计划时间时（较早）\r\n最终运行时间：2006-03-13 "
        "08:01:30",
        "drawn while the text is built, period cut to the following run");
    task.randomizationInfo.decidedTime = 1;
    task.randomizationInfo.finalSet = false;
    EXPECT_EQ(
        RandomizationSectionText(task, context),
        "Randomization period = 10 minute(s)\r\nWhen to decide final time: When the scheduled time is up "
        "(later)\r\nFinal running time: Undecided");
    task.scheduleInfo.haveEndingTime = true;
    task.scheduleInfo.endingTime = At(2006, 3, 13, 7, 30);  // before the next run: no room left
    EXPECT_EQ(RandomizationSectionText(task, context), "Randomization not enabled");
    EXPECT_FALSE(task.randomizationInfo.enable);
}

TEST_F(Description, ShortenedPaths) {
    struct Case {
        std::string path;
        std::size_t max;
        std::string expected;
    };
    const Case cases[] = {
        {"/home/ann/a.txt", 15, "/home/ann/a.txt"},
        {"/home/ann/projects/2006/reports/march/summary.txt", 32, "/home/.../march/summary.txt"},
        {"/home/ann/projects/2006/reports/march/summary.txt", 24, "/home/.../summary.txt"},
        {"docs/projects/2006/reports/summary.txt", 28, "docs/.../reports/summary.txt"},
        {"/home/a-very-long-folder-name/summary.txt", 20, ".../summary.txt"},
        {"/home/ann/a-file-name-longer-than-the-limit.txt", 20, "a-file-name-longe..."},
        {"/家/安娜/项目/二〇〇六/报告/三月/总结.txt", 16, "/家/.../三月/总结.txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortenPath(c.path, c.max), c.expected) << c.path << " " << c.max;
    }
}

TEST_F(Description, MonthFormatExamples) {
    MonthFormatExamples shortNames = MonthFormatExampleTexts(kMonthFormatShort);
    EXPECT_EQ(shortNames.useRange, "Use &range(s) for connected months (e.g. Jan-Mar...)");
    EXPECT_EQ(shortNames.listEvery, "List &every specific month (e.g. Jan, Feb, Mar...)");
    SetLanguage(kLcidSimplifiedChinese);
    EXPECT_EQ(MonthFormatExampleTexts(kMonthFormatFull).useRange,
              "对连续的月份使用范围(&R)(例如 一月-三月...)");
}

}  // namespace
}  // namespace tidewell
