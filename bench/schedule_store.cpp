// Saving and loading a schedule file of 10,000 tasks of mixed types, and the
// refresh of such a list through the file format in memory.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <cstdlib>

#include <filesystem>
#include <random>

#include "files/durable_file.h"
#include "files/whole_file.h"
#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int kTasks = 10000;

struct Fixture {
    Fixture() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tidewell-bench-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        std::mt19937 generator(42);
        for (int i = 0; i < kTasks; ++i) {
            TaskRecord task =
                GenerateTask(generator, static_cast<ScheduleType>(i % kScheduleTypeCount), clock.Now());
            task.title = "Task " + std::to_string(i);
            task.comment = i % 3 ? "" : "A comment\r\nover two lines";
            task.taskInfo.taskType = TaskType::notice;
            task.taskInfo.noticeMsg = "Time for task " + std::to_string(i);
            task.soundInfo.type = 0;
            list.Add(task);
        }
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
    ScheduleStoreContext Context() { return {clock, random, settings, messages, {}}; }
    std::string Path() const { return folder + "/schedule.rws"; }

    FixedClock clock{At(2006, 3, 13, 12)};
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messages;
    std::string folder;
    TaskList list;
};

void BM_SaveTaskList_10000(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        if (!SaveTaskList(fixture.Path(), fixture.list, fixture.Context()))
            state.SkipWithError("save failed");
    }
}

void BM_LoadTaskList_10000(benchmark::State& state) {
    Fixture fixture;
    if (!SaveTaskList(fixture.Path(), fixture.list, fixture.Context())) std::abort();
    for (auto _ : state) {
        TaskList loaded;
        if (!LoadTaskList(fixture.Path(), loaded, fixture.Context()).loaded)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loaded.size());
    }
}

void BM_RefreshThroughFile_10000(benchmark::State& state) {
    Fixture fixture;
    for (auto _ : state) {
        state.PauseTiming();
        TaskList list = fixture.list;
        state.ResumeTiming();
        RefreshThroughFile(list, fixture.Context());
        benchmark::DoNotOptimize(list.size());
    }
}

// The share of a save that is the durable replacement of a file of that size.
void BM_WriteFileDurably_ScheduleSized(benchmark::State& state) {
    Fixture fixture;
    if (!SaveTaskList(fixture.Path(), fixture.list, fixture.Context())) std::abort();
    std::string bytes;
    if (!ReadWholeFile(fixture.Path(), bytes).ok()) std::abort();
    state.counters["bytes"] = static_cast<double>(bytes.size());
    for (auto _ : state) {
        if (!WriteFileDurably(fixture.Path(), bytes)) state.SkipWithError("write failed");
    }
}

BENCHMARK(BM_SaveTaskList_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTaskList_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshThroughFile_10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteFileDurably_ScheduleSized)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tidewell
