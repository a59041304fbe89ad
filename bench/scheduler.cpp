// The once-a-second pass over 10,000 tasks with nothing due, a pass in which 100 tasks fall due
// and the list is saved once, and a dry run of a year over 100 tasks.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>

#include "platform/memory_settings.h"
#include "runtime/scheduler.h"
#include "runtime/simulation.h"
#include "schedule_file/schedule_store.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

const DateTime kNow = At(2026, 3, 2, 7, 59, 59);

class NoRunner final : public TaskRunner {
public:
    bool RunTask(TaskRecord&) override { return true; }
};

// Saves through the schedule file like the program's view.
class SavingView final : public SchedulerView {
public:
    SavingView(TaskList& list, const std::string& path) : m_list(list), m_path(path) {}
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveViewTaskList() override {
        FixedClock clock(kNow);
        FixedRandom random;
        MemorySettings settings;
        NullMessageBox messages;
        ScheduleStoreContext context{clock, random, settings, messages, {}};
        if (!SaveTaskList(m_path, m_list, context)) std::abort();
    }

private:
    class NullMessageBox final : public MessageBoxService {
    public:
        MessageBoxAnswer Show(const MessageBoxCall&) override { return {}; }
        void PostMessageBox(MessageBoxCall, Answered) override {}
    };
    TaskList& m_list;
    std::string m_path;
};

TaskList Loaded(std::vector<TaskRecord> tasks, const DateTime& now) {
    FixedClock clock(now);
    FixedRandom random;
    TaskList list;
    for (TaskRecord& task : tasks) {
        GetNextRunString(task, {clock, random});
        list.Add(std::move(task));
    }
    return list;
}

void BM_PassNothingDue(benchmark::State& state) {
    // Every schedule starts at least a year after the passes.
    std::mt19937 generator(42);
    std::vector<TaskRecord> tasks;
    for (int i = 0; i < 10000; ++i) {
        const auto type = static_cast<ScheduleType>(i % 7);
        tasks.push_back(GenerateTask(generator, type, kNow + TimeSpan::FromSeconds(800LL * 86400)));
    }
    TaskList list = Loaded(std::move(tasks), kNow);
    NoRunner runner;
    SavingView view(list, "/nonexistent/never-saved.rws");
    FixedRandom random;
    Scheduler scheduler(list, runner, view, random);
    scheduler.SetRunning(true);
    int64_t second = 0;
    for (auto _ : state) {
        ++second;
        scheduler.CheckDueTasks({kNow + TimeSpan::FromSeconds(second), second * 1000});
    }
}
BENCHMARK(BM_PassNothingDue)->Unit(benchmark::kMicrosecond);

void BM_HundredDueOneSave(benchmark::State& state) {
    TempDir folder;
    std::vector<TaskRecord> tasks(100, DailyTask({TimeOfDayValue(8)}));
    for (auto _ : state) {
        state.PauseTiming();
        TaskList list = Loaded(tasks, kNow);
        NoRunner runner;
        SavingView view(list, folder.File("schedule.rws"));
        FixedRandom random;
        Scheduler scheduler(list, runner, view, random);
        scheduler.SetRunning(true);
        scheduler.CheckDueTasks({kNow, 0});
        state.ResumeTiming();
        scheduler.CheckDueTasks({kNow + TimeSpan::FromSeconds(1), 1000});
    }
}
BENCHMARK(BM_HundredDueOneSave)->Unit(benchmark::kMillisecond);

void BM_SimulateYearOfHundredTasks(benchmark::State& state) {
    setenv("TZ", "UTC", 1);
    std::mt19937 generator(7);
    std::vector<TaskRecord> tasks;
    for (int i = 0; i < 100; ++i) {
        tasks.push_back(GenerateTask(generator, static_cast<ScheduleType>(i % 7), kNow));
    }
    for (auto _ : state) {
        TaskList list = Loaded(tasks, kNow);
        SimulationOptions options;
        EpochOf(kNow, options.fromEpoch);
        options.toEpoch = options.fromEpoch + 365LL * 86400;
        FixedRandom random;
        benchmark::DoNotOptimize(Simulate(list, options, random));
    }
}
BENCHMARK(BM_SimulateYearOfHundredTasks)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace tidewell
