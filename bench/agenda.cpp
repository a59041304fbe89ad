// The agenda of one month over 10,000 generated tasks of every schedule type.
#include <benchmark/benchmark.h>

#include <random>

#include "overview/agenda.h"
#include "support/task_builder.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int kTasks = 10000;

void BM_AgendaOfOneMonth_10000(benchmark::State& state) {
    TaskList tasks = GenerateMixedTasks(kTasks, At(2006, 3, 15));
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
