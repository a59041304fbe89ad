#include "timing/agenda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "support/task_builder.h"
#include "time/calendar.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// The instants of one task on one day, found from the rules themselves rather than from the
// next-run computation: every entry of the day's list, then the schedule's bounds.
std::set<int64_t> InstantsOfDay(const TaskRecord& task, int64_t day) {
    const ScheduleInfo& s = task.scheduleInfo;
    CivilDate date = DateOfDayNumber(day);
    int weekday = DateTime::FromSeconds(day * 86400).GetDayOfWeek();  // 1 = Sunday
    int mondayBased = weekday == 1 ? 7 : weekday - 1;
    std::set<int64_t> seconds;
    auto at = [&](const DateTime& time) { seconds.insert(day * 86400 + time.SecondOfDay()); };
    auto monthEntry = [&](const MonthlyItem& item) {
        if (!item.SelectsMonth(date.month)) return;
        int length = DaysInMonth(date.year, date.month);
        if (item.byDayNumber) {
            if (std::min(item.day, length) == date.day) at(item.time);
        } else if (item.weekday + 1 == mondayBased) {
            bool last = date.day + 7 > length;
            if (item.weekOrdinal >= 5 ? last : (date.day - 1) / 7 + 1 == item.weekOrdinal) at(item.time);
        }
    };
    switch (s.type) {
        case ScheduleType::daily:
            for (const DateTime& time : s.daily) at(time);
            break;
        case ScheduleType::weekly:
            for (const WeeklyItem& item : s.weekly)
                if (item.weekday == mondayBased) at(item.time);
            break;
        case ScheduleType::monthly:
            for (const MonthlyItem& item : s.monthly) monthEntry(item);
            break;
        case ScheduleType::yearly:
            for (const MonthlyItem& item : s.yearly) monthEntry(item);
            break;
        case ScheduleType::once:
            for (const DateTime& time : s.once)
                if (time.DayNumber() == day) seconds.insert(time.Seconds());
            return seconds;  // the bounds do not apply
        default: break;
    }
    std::erase_if(seconds, [&](int64_t t) {
        return t < s.startingTime.Seconds() || (s.haveEndingTime && t > s.endingTime.Seconds());
    });
    return seconds;
}

std::vector<AgendaRun> DayByDayWalk(const TaskList& tasks, const DateTime& from, const DateTime& to) {
    std::vector<AgendaRun> runs;
    for (int64_t day = from.DayNumber(); day <= to.DayNumber(); ++day) {
        for (size_t i = 0; i < tasks.size(); ++i) {
            if (!tasks[i].enabled) continue;
            for (int64_t t : InstantsOfDay(tasks[i], day))
                if (t >= from.Seconds() && t <= to.Seconds()) runs.push_back({DateTime::FromSeconds(t), i});
        }
    }
    std::stable_sort(runs.begin(), runs.end(),
                     [](const AgendaRun& a, const AgendaRun& b) { return a.time < b.time; });
    return runs;
}

void ExpectSameRuns(const std::vector<AgendaRun>& actual, const std::vector<AgendaRun>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].time.Format(kStorageFormat), expected[i].time.Format(kStorageFormat)) << i;
        EXPECT_EQ(actual[i].task, expected[i].task) << actual[i].time.Format(kStorageFormat);
    }
}

TEST(Agenda, WeekOfMixedTasksEqualsTheDayByDayWalk) {
    TaskList tasks;
    TaskRecord daily = DailyTask({TimeOfDayValue(20), TimeOfDayValue(8)});
    daily.scheduleInfo.startingTime = At(2006, 3, 14, 12);  // starts mid-week
    tasks.Add(daily);
    tasks.Add(
        WeeklyTask({{1, TimeOfDayValue(9)}, {3, TimeOfDayValue(14, 30)}, {7, TimeOfDayValue(23, 59, 59)}}));
    TaskRecord monthly =
        MonthlyTask({DayOfMonth(15, TimeOfDayValue(10)), WeekdayOfMonth(3, 6, TimeOfDayValue(18)),
                     WeekdayOfMonth(5, 4, TimeOfDayValue(18)), DayOfMonth(31, TimeOfDayValue(7))});
    monthly.scheduleInfo.haveEndingTime = true;
    monthly.scheduleInfo.endingTime = At(2006, 3, 19, 12);  // the third Sunday's run falls after it
    tasks.Add(monthly);
    tasks.Add(OnceTask({At(2006, 3, 12, 23, 59, 59), At(2006, 3, 13), At(2006, 3, 17, 12), At(2006, 3, 20)}));
    tasks.Add(YearlyTask({InMonths(DayOfMonth(16, TimeOfDayValue(6)), {3, 9})}));
    tasks.Add(MakePlaceholderTask());
    TaskRecord disabled = DailyTask({TimeOfDayValue(12)});
    disabled.enabled = false;
    tasks.Add(disabled);
    tasks.Add(ScheduledTask(ScheduleType::atLogon));
    const DateTime from = At(2006, 3, 13);
    const DateTime to = At(2006, 3, 19, 23, 59, 59);

    Agenda agenda = ComputeAgenda(tasks, from, to);
    std::vector<AgendaRun> walk = DayByDayWalk(tasks, from, to);
    EXPECT_EQ(walk.size(), 18u);
    ExpectSameRuns(agenda.runs, walk);
    EXPECT_TRUE(agenda.cutShort.empty());
}

TEST(Agenda, GeneratedTasksEqualTheDayByDayWalk) {
    std::mt19937 random(7);
    const ScheduleType types[] = {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly,
                                  ScheduleType::yearly, ScheduleType::once};
    TaskList tasks;
    for (int i = 0; i < 400; ++i) tasks.Add(GenerateTask(random, types[i % 5], At(2008, 2, 26)));
    const DateTime from = At(2008, 2, 25, 13, 30);  // a week over a leap day, from mid-day
    const DateTime to = At(2008, 3, 3, 6);
    std::vector<AgendaRun> walk = DayByDayWalk(tasks, from, to);
    EXPECT_GT(walk.size(), 1000u);
    ExpectSameRuns(ComputeAgenda(tasks, from, to).runs, walk);
}

TEST(Agenda, RunsPerTaskAreBounded) {
    struct Case {
        const char* note;
        TaskRecord task;
        DateTime to;
        int maxRuns;
        size_t runs;
        bool cutShort;
    };
    const DateTime start = At(2006, 3, 13);
    const Case cases[] = {
        {"every second for an hour", RepeatingTask(start, 1, TimeUnit::seconds), At(2006, 3, 13, 1), 1000,
         1000, true},
        {"both ends of the range count", RepeatingTask(start, 1, TimeUnit::minutes), At(2006, 3, 13, 0, 9),
         10, 10, false},
        {"one run too many", RepeatingTask(start, 1, TimeUnit::minutes), At(2006, 3, 13, 0, 9), 9, 9, true},
        {"a count-down runs once",
         [&] {
             TaskRecord t = ScheduledTask(ScheduleType::countDown);
             t.scheduleInfo.startingTime = At(2006, 3, 13, 0, 5);
             return t;
         }(),
         At(2006, 3, 14), 1000, 1, false},
        {"an empty range", DailyTask({TimeOfDayValue(8)}), At(2006, 3, 12), 1000, 0, false},
    };
    for (const Case& c : cases) {
        TaskRuns runs = RunsOfTask(c.task, start, c.to, c.maxRuns);
        EXPECT_EQ(runs.times.size(), c.runs) << c.note;
        EXPECT_EQ(runs.cutShort, c.cutShort) << c.note;
        if (!runs.times.empty()) {
            EXPECT_EQ(runs.times.front(), c.runs == 1 ? c.task.scheduleInfo.startingTime : start) << c.note;
        }
    }
    TaskList list;
    list.Add(cases[0].task);
    list.Add(cases[1].task);
    Agenda agenda = ComputeAgenda(list, start, At(2006, 3, 13, 1), 50);
    EXPECT_EQ(agenda.cutShort, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(agenda.runs.size(), 100u);
    EXPECT_EQ(agenda.runs[0].task, 0u);  // both at 00:00:00: list order
    EXPECT_EQ(agenda.runs[1].task, 1u);
}

}  // namespace
}  // namespace tidewell
