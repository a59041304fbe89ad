// The agenda of one month over 10,000 generated tasks of every schedule type.
#include <benchmark/benchmark.h>

#include <random>

#include "support/task_builder.h"
#include "overview/agenda.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int kTasks = 10000;

TaskList MixedTasks(const DateTime& around) {
    const ScheduleType types[] = {ScheduleType::daily,     ScheduleType::weekly, ScheduleType::monthly,
                                  ScheduleType::yearly,    ScheduleType::once,   ScheduleType::repeating,
                                  ScheduleType::countDown, ScheduleType::atLogon};
    std::mt19937 random(42);
    TaskList tasks;
    for (int i = 0; i < kTasks; ++i) tasks.Add(GenerateTask(random, types[i % 8], around));
    return tasks;
}

void BM_AgendaOfOneMonth_10000(benchmark::State& state) {
    TaskList tasks = MixedTasks(At(2006, 3, 15));
    const DateTime from = At(2006, 3, 1);
    const DateTime to = At(2006, 3, 31, 23, 59, 59);
    size_t runs = 0;
    size_t cutShort = 0;
    for (auto _ : state) {
        Agenda agenda = ComputeAgenda(tasks, from, to);
        runs = agenda.runs.size();
        cutShort = agenda.cutShort.size();
        benchmark::DoNotOptimize(agenda.runs.data());
    }
    state.counters["runs"] = static_cast<double>(runs);
    state.counters["cutShort"] = static_cast<double>(cutShort);
}

BENCHMARK(BM_AgendaOfOneMonth_10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tidewell
