// The iCalendar file of one month's agenda over 10,000 generated tasks of every schedule type.
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

#include "overview/agenda.h"
#include "overview/description.h"
#include "overview/icalendar.h"
#include "support/task_builder.h"
#include "timing/standard_random.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

constexpr int kTasks = 10000;

std::vector<std::string> Descriptions(const TaskList& tasks, const DateTime& now) {
    FixedClock clock(now);
    StandardRandomSource random;
    NextRunContext context{clock, random};
    std::vector<std::string> descriptions;
    for (TaskRecord task : tasks) {
        TaskDescription description = DescribeTask(task, DescriptionOptions{}, context);
        descriptions.push_back(description.task + description.schedule + description.waiting);
    }
    return descriptions;
}

void BM_ICalendarOfOneMonth_10000(benchmark::State& state) {
    TaskList tasks = GenerateMixedTasks(kTasks, At(2006, 3, 15));
    const Agenda agenda = ComputeAgenda(tasks, At(2006, 3, 1), At(2006, 3, 31, 23, 59, 59));
    ICalendarExport context;
    context.stampUtc = 1796644800;
    // A fixed offset: the writer is measured, not the C library's time zone code.
    const int64_t epoch = DateTime::FromParts(1970, 1, 1).Seconds();
    context.toUtc = [epoch](const DateTime& local) -> std::optional<int64_t> {
        return local.Seconds() - epoch - 3600;
    };
    context.descriptions = Descriptions(tasks, At(2006, 3, 1));
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out;
        WriteICalendar(agenda, tasks, context, out);
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["runs"] = static_cast<double>(agenda.runs.size());
    state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_ICalendarOfOneMonth_10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tidewell
