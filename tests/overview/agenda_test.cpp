#include "overview/agenda.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "overview/quick_view_range.h"
#include "support/calendar_walk.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

// The runs of the enabled tasks in the range, by walking the calendar day by day.
std::vector<AgendaRun> DayByDayWalk(const TaskList& tasks, const DateTime& from, const DateTime& to) {
    std::vector<AgendaRun> runs;
    for (int64_t day = from.DayNumber(); day <= to.DayNumber(); ++day) {
        for (size_t i = 0; i < tasks.size(); ++i) {
            const ScheduleInfo& s = tasks[i].scheduleInfo;
            if (!tasks[i].enabled) continue;
            std::vector<DateTime> instants = ListInstantsOfDay(tasks[i], day);
            std::sort(instants.begin(), instants.end());
            instants.erase(std::unique(instants.begin(), instants.end()), instants.end());
            for (const DateTime& t : instants) {
                const bool bounded = s.type != ScheduleType::once;
                if (bounded && (t < s.startingTime || (s.haveEndingTime && t > s.endingTime))) continue;
                if (t >= from && t <= to) runs.push_back({t, i});
            }
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

TEST(Agenda, GeneratedTasksEqualTheDayByDayWalk) {
    std::mt19937 random(7);
    const ScheduleType types[] = {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly,
                                  ScheduleType::yearly, ScheduleType::once};
    TaskList generated;
    for (int i = 0; i < 400; ++i) generated.Add(GenerateTask(random, types[i % 5], At(2008, 2, 26)));
    TaskRecord disabled = DailyTask({TimeOfDayValue(12)});
    disabled.enabled = false;
    generated.Add(disabled);
    generated.Add(MakePlaceholderTask());
    generated.Add(ScheduledTask(ScheduleType::atLogon));
    const DateTime leapFrom = At(2008, 2, 25, 13, 30);  // a week over a leap day, from mid-day
    const DateTime leapTo = At(2008, 3, 3, 6);
    std::vector<AgendaRun> walk = DayByDayWalk(generated, leapFrom, leapTo);
    EXPECT_GT(walk.size(), 1000u);
    Agenda agenda = ComputeAgenda(generated, leapFrom, leapTo);
    ExpectSameRuns(agenda.runs, walk);
    EXPECT_TRUE(agenda.cutShort.empty());
}

TEST(Agenda, RunsPerTaskAreBounded) {
    const DateTime start = At(2006, 3, 13);
    TaskRecord countDown = ScheduledTask(ScheduleType::countDown);
    countDown.scheduleInfo.startingTime = At(2006, 3, 13, 0, 5);
    using Case = std::tuple<TaskRecord, DateTime, int, size_t, bool>;
    const Case cases[] = {
        {RepeatingTask(start, 1, TimeUnit::minutes), At(2006, 3, 13, 0, 9), 10, 10,
         false},  // both ends count
        {RepeatingTask(start, 1, TimeUnit::minutes), At(2006, 3, 13, 0, 9), 9, 9, true},
        {DailyTask({TimeOfDayValue(8)}), At(2006, 3, 12), 1000, 0, false},  // an empty range
        {countDown, At(2006, 3, 14), 1000, 1, false},
    };
    for (const auto& [task, to, maxRuns, count, cutShort] : cases) {
        TaskRuns runs = RunsOfTask(task, start, to, maxRuns);
        EXPECT_EQ(runs.times.size(), count) << maxRuns;
        EXPECT_EQ(runs.cutShort, cutShort) << maxRuns;
    }
    TaskList list;
    list.Add(RepeatingTask(start, 1, TimeUnit::seconds));
    list.Add(RepeatingTask(start, 1, TimeUnit::minutes));
    Agenda agenda = ComputeAgenda(list, start, At(2006, 3, 13, 1), 50);
    EXPECT_EQ(agenda.cutShort, (std::vector<size_t>{0, 1}));
    ASSERT_EQ(agenda.runs.size(), 100u);
    EXPECT_EQ(agenda.runs[0].task, 0u);  // both at 00:00:00: list order
    EXPECT_EQ(agenda.runs[1].task, 1u);
}

// Every 20 minutes plus a daily 08:00:00 from the past 10 to the next 30 days: all 2,952 and
// 41 runs, merged in time order. Cut at 25 runs, the list stops after the instant of its 25th
// run and holds every run up to it, both tasks' runs of that instant included.
TEST(RangeRuns, EveryRunUpToAnAbsurdTotal) {
    const DateTime now = At(2026, 12, 8, 9, 30);
    TaskList list;
    list.Add(RepeatingTask(At(2026, 1, 1), 20, TimeUnit::minutes));
    list.Add(DailyTask({TimeOfDayValue(8)}));
    QuickViewRecord record;
    record.type = QuickViewType::pastToNext;
    const std::optional<QuickViewRange> range = QuickViewRangeOf(record, now);
    ASSERT_TRUE(range);
    RangeRuns all = ComputeRangeRuns(list, range->start, range->end);
    EXPECT_EQ(all.runs.size(), 41u * 72 + 41);
    EXPECT_FALSE(all.stopsAfter);
    EXPECT_TRUE(std::is_sorted(all.runs.begin(), all.runs.end(),
                               [](const AgendaRun& a, const AgendaRun& b) { return a.time < b.time; }));
    EXPECT_EQ(all.runs.front().time, At(2026, 11, 28));
    EXPECT_EQ(all.runs.back().time, At(2027, 1, 7, 23, 40));

    RangeRuns cut = ComputeRangeRuns(list, range->start, range->end, 25);  // 24 before 08:00:00
    ASSERT_TRUE(cut.stopsAfter);
    EXPECT_EQ(*cut.stopsAfter, At(2026, 11, 28, 8));
    ASSERT_EQ(cut.runs.size(), 26u);
    EXPECT_EQ(cut.runs[24].task, 0u);  // 08:00:00 of both, in list order
    EXPECT_EQ(cut.runs[25].task, 1u);
}

}  // namespace
}  // namespace tidewell
