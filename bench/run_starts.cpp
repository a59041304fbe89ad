// How soon due programs start, and how long the window's thread is held by a run and by an edit:
// the real scheduler, the real launcher (posix_spawn) and the schedule saver. A start counts from
// the beginning of the pass to the return of the launcher, when the program has been executed.
// The program's pass comes 3 ms after each second begins (its timer's margin): add that.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/background_writer.h"
#include "platform/detached_spawn.h"
#include "platform/linux_launcher.h"
#include "platform/memory_settings.h"
#include "runtime/scheduler.h"
#include "schedule_file/claims_journal.h"
#include "schedule_file/schedule_store.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;
using Steady = std::chrono::steady_clock;

const DateTime kStart = At(2026, 3, 2, 8);
constexpr const char* kProgram = "/bin/true";

double MsSince(Steady::time_point from) {
    return std::chrono::duration<double, std::milli>(Steady::now() - from).count();
}

// Starts a small program for every run and notes when each start returned.
class LaunchingRunner final : public TaskRunner {
public:
    bool RunTask(TaskRecord&) override {
        const bool started = m_launcher.Start(kProgram, {}, {}).ok();
        starts.push_back(Steady::now());
        return started;
    }
    std::vector<Steady::time_point> starts;

private:
    LinuxLauncher m_launcher;
};

class NullMessageBox final : public MessageBoxService {
public:
    MessageBoxAnswer Show(const MessageBoxCall&) override { return {}; }
    void PostMessageBox(MessageBoxCall, Answered) override {}
};

// What the program's document does: a snapshot on the calling thread, the write on the saver's;
// the claims of a pass are journaled before its runs start.
class SaverView final : public SchedulerView {
public:
    SaverView(TaskList& list, std::string path) : m_list(list), m_path(std::move(path)) {}
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveViewTaskList() override {
        m_saver.Queue([snapshot = Snapshot()]() mutable { return WriteSnapshot(snapshot); });
    }
    void SaveBeforeRuns(std::span<const size_t> claimed) override {
        const Steady::time_point begins = Steady::now();
        if (!AppendClaims(m_path, m_list, claimed, {})) std::abort();
        claims.push_back(MsSince(begins));
    }
    std::vector<double> claims;  // how long each save of claims held the pass
    ScheduleStoreContext Context() { return {m_clock, m_random, m_settings, m_messages, {}}; }
    BackgroundWriter& Saver() { return m_saver; }

private:
    ScheduleSnapshot Snapshot() { return TakeSnapshot(m_path, m_list, Context()); }
    TaskList& m_list;
    std::string m_path;
    FixedClock m_clock{kStart};
    FixedRandom m_random;
    MemorySettings m_settings;
    NullMessageBox m_messages;
    BackgroundWriter m_saver{[](uint64_t, const Result& written) {
        if (!written) std::abort();
    }};
};

// `count` tasks repeating every second from kStart, and `others` that are not due.
TaskList EverySecondTasks(int count, int others) {
    TaskList list =
        others > 0 ? GenerateMixedTasks(others, kStart + TimeSpan::FromSeconds(800LL * 86400)) : TaskList{};
    FixedClock clock(kStart - TimeSpan::FromSeconds(1));
    FixedRandom random;
    for (int i = 0; i < count; ++i) {
        TaskRecord task = RepeatingTask(kStart, 1, TimeUnit::seconds);
        task.title = "every second " + std::to_string(i);
        GetNextRunString(task, {clock, random});
        list.Add(std::move(task));
    }
    for (TaskRecord& task : list) GetNextRunString(task, {clock, random});
    return list;
}

void SetPercentiles(benchmark::State& state, std::vector<double> ms, const std::string& prefix = {}) {
    std::sort(ms.begin(), ms.end());
    state.counters[prefix + "median_ms"] = ms[ms.size() / 2];
    state.counters[prefix + "p90_ms"] = ms[ms.size() * 9 / 10];
    state.counters[prefix + "max_ms"] = ms.back();
}

// Passes of `count` due tasks, one pass a simulated second; the latency of the last start.
void RunPasses(benchmark::State& state, int count, int others) {
    TempDir folder;
    TaskList list = EverySecondTasks(count, others);
    LaunchingRunner runner;
    SaverView view(list, folder.File("schedule.rws"));
    FixedRandom random;
    Scheduler scheduler(list, runner, view, random);
    scheduler.SetRunning(true);
    scheduler.StartPasses({kStart - TimeSpan::FromSeconds(1), 0});
    std::vector<double> latencies;
    std::vector<double> blocks;  // how long each pass held the thread
    int64_t second = 0;
    size_t runs = 0;
    for (auto _ : state) {
        runner.starts.clear();
        const Steady::time_point passBegins = Steady::now();
        scheduler.CheckDueTasks({kStart + TimeSpan::FromSeconds(second), second * 1000});
        blocks.push_back(MsSince(passBegins));
        ++second;
        state.PauseTiming();
        view.Saver().Finish();  // passes are a second apart
        state.ResumeTiming();
        runs += runner.starts.size();
        if (runner.starts.empty()) continue;
        latencies.push_back(
            std::chrono::duration<double, std::milli>(runner.starts.back() - passBegins).count());
    }
    view.Saver().Finish();
    WaitForStartedChildren();
    if (latencies.empty()) std::abort();
    SetPercentiles(state, latencies);
    SetPercentiles(state, view.claims, "claims_");
    SetPercentiles(state, blocks, "block_");
    state.counters["runs"] = static_cast<double>(runs);
}

// An every-second task: "runs" equals the iterations when no simulated second lost its run.
void BM_SingleRunStart(benchmark::State& state) {
    RunPasses(state, 1, 0);
}
BENCHMARK(BM_SingleRunStart)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_TwentyDueInOneSecondLastStart(benchmark::State& state) {
    RunPasses(state, 20, 0);
}
BENCHMARK(BM_TwentyDueInOneSecondLastStart)->Unit(benchmark::kMillisecond)->Iterations(100);

// The window's thread during a pass that starts one run among 10,000 tasks: the claims journaled
// before the start, the list's snapshot taken after it.
void BM_WindowBlockOnRunOf10000(benchmark::State& state) {
    RunPasses(state, 1, 10000);
}
BENCHMARK(BM_WindowBlockOnRunOf10000)->Unit(benchmark::kMillisecond)->Iterations(20);

// The window's thread when an edit of one of 10,000 tasks is finished: the task goes through the
// file in memory, then a snapshot of the list is queued for the saver's thread.
void BM_WindowBlockOnEditOf10000(benchmark::State& state) {
    TempDir folder;
    TaskList list = GenerateMixedTasks(10000, kStart);
    SaverView view(list, folder.File("schedule.rws"));
    const ScheduleStoreContext context = view.Context();
    std::vector<double> blocks;
    for (auto _ : state) {
        const Steady::time_point begins = Steady::now();
        list[1].title = "edited " + std::to_string(blocks.size());
        RefreshTaskThroughFile(list, 1, context);
        view.SaveViewTaskList();
        blocks.push_back(MsSince(begins));
        state.PauseTiming();
        view.Saver().Finish();  // edits are seconds apart
        state.ResumeTiming();
    }
    SetPercentiles(state, blocks);
}
BENCHMARK(BM_WindowBlockOnEditOf10000)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace tidewell
