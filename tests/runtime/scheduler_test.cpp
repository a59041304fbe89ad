#include "runtime/scheduler.h"

#include <gtest/gtest.h>

#include "support/recording_scheduler_ports.h"
#include "support/task_builder.h"
#include "support/test_clock.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using testing::At;
using testing::DailyTask;
using testing::FixedRandom;
using testing::OnceTask;
using testing::QuietView;
using testing::RecordingRunner;
using testing::TimeOfDayValue;
using testing::Titled;

// A list as loaded at `loadedAt`, and the passes over it with clocks that move as a test says.
class SchedulerTest : public ::testing::Test {
protected:
    void Load(std::initializer_list<TaskRecord> tasks, const DateTime& loadedAt) {
        m_list.Clear();
        m_runner.titles.clear();
        TestClock clock(loadedAt);
        for (TaskRecord task : tasks) {
            GetNextRunString(task, {clock, m_random});
            PreviousRun(loadedAt, task);
            m_list.Add(std::move(task));
        }
        m_scheduler.SetRunning(true);
        m_wall = loadedAt;
    }
    // One pass after `wallSeconds` of wall time and `monotonicMs` of monotonic time.
    void Pass(int64_t wallSeconds, int64_t monotonicMs) {
        m_wall += TimeSpan::FromSeconds(wallSeconds);
        m_monotonicMs += monotonicMs;
        m_scheduler.CheckDueTasks({m_wall, m_monotonicMs});
    }
    void OnTimePasses(int count) {
        for (int i = 0; i < count; ++i) Pass(1, 1000);
    }

    FixedRandom m_random{5};
    TaskList m_list;
    RecordingRunner m_runner;
    QuietView m_view;
    Scheduler m_scheduler{m_list, m_runner, m_view, m_random};
    DateTime m_wall;
    int64_t m_monotonicMs = 0;
};

TEST_F(SchedulerTest, FirstPassCoversTheSecondsSinceTheLoad) {
    Load({DailyTask({TimeOfDayValue(8)})}, At(2026, 3, 2, 7, 59, 59));
    m_scheduler.StartPasses({m_wall, m_monotonicMs});
    Pass(2, 1800);  // the first tick comes late, after 08:00:00
    EXPECT_EQ(m_runner.titles.size(), 1u);

    // The start-up pass, a second after the load, runs what fell due in that second.
    Load({DailyTask({TimeOfDayValue(8)})}, At(2026, 3, 2, 7, 59, 59));
    m_scheduler.StartPasses({m_wall, m_monotonicMs});
    m_scheduler.CheckAtLogonJob({At(2026, 3, 2, 8), m_monotonicMs + 1000}, false);
    EXPECT_EQ(m_runner.titles.size(), 1u);
    EXPECT_EQ(m_list[0].scheduleInfo.lastRunTime, At(2026, 3, 2, 8));
}

// The list as the view saved it, how many runs had started by then, and whether the save had to
// be durable on return.
class SnapshotView final : public SchedulerView {
public:
    SnapshotView(const TaskList& list, const RecordingRunner& runner) : m_list(list), m_runner(runner) {}
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveViewTaskList() override { saves.push_back({m_list, m_runner.titles.size()}); }
    void SaveBeforeRuns(std::span<const size_t>) override {
        durable.push_back(saves.size());
        SaveViewTaskList();
    }
    std::vector<std::pair<TaskList, size_t>> saves;
    std::vector<size_t> durable;  // the positions of the durable saves in `saves`

private:
    const TaskList& m_list;
    const RecordingRunner& m_runner;
};

TEST_F(SchedulerTest, DueRunsAreSavedBeforeTheyStartAndARunThatDoesNotStartIsNoRun) {
    TaskRecord failing = Titled(DailyTask({TimeOfDayValue(8)}), "missing program");
    failing.scheduleInfo.haveLastRunTime = true;
    failing.scheduleInfo.lastRunTime = At(2026, 3, 1, 8);
    Load({failing, Titled(DailyTask({TimeOfDayValue(8)}), "second")}, At(2026, 3, 2, 7, 59, 59));
    m_runner.failing = {"missing program"};
    SnapshotView view(m_list, m_runner);
    Scheduler scheduler(m_list, m_runner, view, m_random);
    scheduler.SetRunning(true);
    scheduler.CheckDueTasks({At(2026, 3, 2, 8), 1000});

    EXPECT_EQ(m_runner.titles, std::vector<std::string>{"second"});
    ASSERT_EQ(view.saves.size(), 2u) << "the claims, then the run given back";
    EXPECT_EQ(view.saves[0].second, 0u) << "nothing started before the claims were saved";
    EXPECT_EQ(view.durable, std::vector<size_t>{0}) << "only the claims must be durable at once";
    for (const TaskRecord& claimed : view.saves[0].first)
        EXPECT_EQ(claimed.scheduleInfo.lastRunTime, At(2026, 3, 2, 8)) << claimed.title;
    for (const TaskRecord& task : m_list) {
        EXPECT_EQ(task.scheduleInfo.nextRunTime, At(2026, 3, 3, 8)) << task.title;
        EXPECT_EQ(task.scheduleInfo.lastRunTime,
                  task.title == "second" ? At(2026, 3, 2, 8) : At(2026, 3, 1, 8));
    }
}

TEST_F(SchedulerTest, APassCannotStartInsideAnotherPass) {
    Load({Titled(OnceTask({At(2026, 3, 2, 8)}), "a"), Titled(OnceTask({At(2026, 3, 2, 8, 0, 3)}), "b")},
         At(2026, 3, 2, 7, 59, 59));
    // Another pass from inside a run, as a window's event loop would start one.
    m_runner.onRun = [this] { m_scheduler.CheckDueTasks({At(2026, 3, 2, 8, 0, 5), 6000}); };
    m_scheduler.StartPasses({m_wall, 0});
    m_scheduler.CheckDueTasks({At(2026, 3, 2, 8), 1000});
    EXPECT_EQ(m_runner.titles, std::vector<std::string>{"a"});
    m_runner.onRun = nullptr;
    m_scheduler.CheckDueTasks({At(2026, 3, 2, 8, 0, 4), 5000});
    EXPECT_EQ(m_runner.titles, (std::vector<std::string>{"a", "b"}));
}

// How the passes treat late ticks and clock jumps around a Daily 08:00:00 task.
TEST_F(SchedulerTest, LateTicksAndClockJumps) {
    struct Case {
        const char* name;
        int64_t wallSeconds;
        int64_t monotonicMs;
        bool runs;
    };
    const Case cases[] = {
        {"late tick of a few seconds", 4, 3900, true},
        {"stall of half a minute", 31, 30500, true},
        {"daylight saving begins: an hour skipped in a second", 3601, 1000, true},
        {"half-hour shift", 1801, 1000, true},
        {"suspend: both clocks far ahead", 6 * 60, 6 * 60 * 1000, false},
        {"wall clock set a day and an hour ahead", 90000, 1000, false},
    };
    for (const Case& c : cases) {
        Load({DailyTask({TimeOfDayValue(8)})}, At(2026, 3, 2, 7, 59, 57));
        Pass(1, 1000);  // 07:59:58
        Pass(c.wallSeconds, c.monotonicMs);
        EXPECT_EQ(m_runner.titles.size(), c.runs ? 1u : 0u) << c.name;
        const DateTime next = m_list[0].scheduleInfo.nextRunTime;
        EXPECT_GT(next, m_wall) << c.name;
        EXPECT_EQ(next.GetHour(), 8) << c.name;
        OnTimePasses(3);
        EXPECT_EQ(m_runner.titles.size(), c.runs ? 1u : 0u) << c.name << ": run twice";
    }
}

TEST_F(SchedulerTest, ClockSetBackNeverRunsAnInstantAgain) {
    Load({DailyTask({TimeOfDayValue(8)})}, At(2026, 3, 2, 7, 59, 58));
    OnTimePasses(2);
    ASSERT_EQ(m_runner.titles.size(), 1u);
    Pass(-3600, 1000);  // daylight saving ends
    // A reload in the repeated hour computes today's 08:00:00 again.
    m_list[0].scheduleInfo.nextRunTime = At(2026, 3, 2, 8);
    OnTimePasses(3601);
    EXPECT_EQ(m_runner.titles.size(), 1u);
    EXPECT_EQ(m_list[0].scheduleInfo.nextRunTime, At(2026, 3, 3, 8));
}

}  // namespace
}  // namespace tidewell
