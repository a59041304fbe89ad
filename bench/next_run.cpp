// Next-run computation over 10,000 generated tasks, and the display-order
// pass over a list of that size.
#include <benchmark/benchmark.h>

#include <random>

#include "support/task_builder.h"
#include "timing/next_run.h"
#include "timing/post_load_update.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int kTasks = 10000;
const DateTime kAround = At(2006, 3, 13, 12);

std::vector<TaskRecord> GenerateTasks(std::initializer_list<ScheduleType> types) {
    std::mt19937 random(42);
    std::vector<TaskRecord> tasks;
    tasks.reserve(kTasks);
    for (int i = 0; i < kTasks; ++i) {
        ScheduleType type = *(types.begin() + i % static_cast<int>(types.size()));
        tasks.push_back(GenerateTask(random, type, kAround));
    }
    return tasks;
}

void NextRunOfType(benchmark::State& state, std::initializer_list<ScheduleType> types) {
    std::vector<TaskRecord> tasks = GenerateTasks(types);
    FixedClock clock(kAround);
    FixedRandom random;
    NextRunContext context{clock, random};
    size_t index = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GetNextRunString(tasks[index], context));
        index = index + 1 == tasks.size() ? 0 : index + 1;
    }
}

void BM_GetNextRunString_Daily(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::daily});
}
void BM_GetNextRunString_Weekly(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::weekly});
}
void BM_GetNextRunString_Once(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::once});
}
void BM_GetNextRunString_Repeating(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::repeating});
}
void BM_GetNextRunString_Monthly(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::monthly});
}
void BM_GetNextRunString_Yearly(benchmark::State& state) {
    NextRunOfType(state, {ScheduleType::yearly});
}
void BM_GetNextRunString_Mixed(benchmark::State& state) {
    NextRunOfType(
        state, {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly, ScheduleType::yearly,
                ScheduleType::once, ScheduleType::repeating, ScheduleType::countDown, ScheduleType::atLogon});
}

void BM_PostLoadUpdate_10000(benchmark::State& state) {
    std::vector<TaskRecord> tasks = GenerateTasks(
        {ScheduleType::daily, ScheduleType::weekly, ScheduleType::monthly, ScheduleType::yearly,
         ScheduleType::once, ScheduleType::repeating, ScheduleType::countDown, ScheduleType::atLogon});
    FixedClock clock(kAround);
    FixedRandom random;
    for (auto _ : state) {
        state.PauseTiming();
        TaskList list;
        for (const TaskRecord& task : tasks) list.Add(task);
        state.ResumeTiming();
        PostLoadUpdate(list, {clock, random});
        benchmark::DoNotOptimize(list.size());
    }
}

BENCHMARK(BM_GetNextRunString_Daily);
BENCHMARK(BM_GetNextRunString_Weekly);
BENCHMARK(BM_GetNextRunString_Once);
BENCHMARK(BM_GetNextRunString_Repeating);
BENCHMARK(BM_GetNextRunString_Monthly);
BENCHMARK(BM_GetNextRunString_Yearly);
BENCHMARK(BM_GetNextRunString_Mixed);
BENCHMARK(BM_PostLoadUpdate_10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tidewell
