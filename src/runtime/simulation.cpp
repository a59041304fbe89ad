#include "runtime/simulation.h"

#include <algorithm>
#include <random>
#include <utility>

#include "runtime/scheduler.h"

namespace tidewell {
namespace {

// Collects the runs instead of carrying them out.
class CollectingRunner final : public TaskRunner {
public:
    bool RunTask(TaskRecord& task) override {
        m_ran.push_back(&task);
        return true;
    }
    std::vector<TaskRecord*> Take() { return std::exchange(m_ran, {}); }

private:
    std::vector<TaskRecord*> m_ran;
};

class SilentView final : public SchedulerView {
public:
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveViewTaskList() override {}
};

// Local time of a simulated second. Offsets from UTC change only at whole minutes, so the time
// zone is asked once a minute.
class LocalTimes {
public:
    DateTime Of(int64_t epochSeconds) {
        const int64_t minute = epochSeconds >= 0 ? epochSeconds / 60 : (epochSeconds - 59) / 60;
        if (minute != m_minute) {
            m_minute = minute;
            m_shift = LocalTimeOf(minute * 60).Seconds() - minute * 60;
        }
        return DateTime::FromSeconds(epochSeconds + m_shift);
    }

private:
    int64_t m_minute = -1;
    int64_t m_shift = 0;
};

void Collect(CollectingRunner& runner, const DateTime& ranAt, std::vector<SimulatedRun>& runs) {
    for (TaskRecord* task : runner.Take()) {
        runs.push_back({ranAt, task->scheduleInfo.lastRunTime, task->title});
    }
}

}  // namespace

std::vector<SimulatedRun> Simulate(TaskList& list, const SimulationOptions& options, RandomSource& random) {
    CollectingRunner runner;
    SilentView view;
    Scheduler scheduler(list, runner, view, random);
    scheduler.SetRunning(true);
    scheduler.StartPasses({LocalTimeOf(options.fromEpoch), 0});
    std::vector<SimulatedRun> runs;

    const int64_t startMs = options.fromEpoch * 1000;
    const DateTime startUp = LocalTimeOf(options.fromEpoch + 1);
    scheduler.CheckAtLogonJob({startUp, 1000}, options.autoload);
    Collect(runner, startUp, runs);

    std::mt19937_64 ticks(options.seed);
    std::uniform_int_distribution<int> jitter(-options.tickJitterMs, options.tickJitterMs);
    LocalTimes localTimes;
    int64_t lastMs = startMs + 1000;
    for (int64_t tick = 2;; ++tick) {
        int64_t atMs = startMs + tick * 1000 + jitter(ticks);
        if (options.stallEvery > 0 && tick % options.stallEvery == 0) atMs += options.stallMs;
        atMs = std::max(atMs, lastMs);  // a timer never fires before the previous tick
        lastMs = atMs;
        if (atMs / 1000 > options.toEpoch) break;
        const DateTime wall = localTimes.Of(atMs / 1000);
        scheduler.CheckDueTasks({wall, atMs - startMs});
        Collect(runner, wall, runs);
    }
    return runs;
}

}  // namespace tidewell
