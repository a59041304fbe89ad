#include "overview/agenda.h"

#include <gtest/gtest.h>

#include <tuple>

#include <algorithm>
#include <random>

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

}  // namespace
}  // namespace tidewell
