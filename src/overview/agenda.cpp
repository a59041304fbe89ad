#include "overview/agenda.h"

#include <algorithm>

#include "time/local_time.h"
#include "timing/next_run.h"

namespace tidewell {

namespace {

TaskRuns RunsInside(const TaskRecord& task, const DateTime& from, const DateTime& to, int maxRuns,
                    const LocalTimeGaps& gaps) {
    TaskRuns runs;
    if (IsPlaceholderTask(task) || task.scheduleInfo.type == ScheduleType::atLogon || from > to) return runs;
    TaskRecord copy = task;
    copy.randomizationInfo.enable = false;  // the scheduled instants, never a draw
    DateTime now = from - TimeSpan::FromSeconds(1);
    while (NextRunFields(now, copy)) {
        // A run inside a daylight-saving gap is made when the clock leaves the gap, and the task
        // goes on from there: what else fell in the gap is not made.
        const DateTime next = gaps.FirstShownAtOrAfter(copy.scheduleInfo.nextRunTime);
        // A run that is not after now would repeat forever; none of the schedules gives one.
        if (next > to || !(next > now)) break;
        if (static_cast<int>(runs.times.size()) >= maxRuns) {
            runs.cutShort = true;
            break;
        }
        runs.times.push_back(next);
        now = next;
    }
    return runs;
}

}  // namespace

TaskRuns RunsOfTask(const TaskRecord& task, const DateTime& from, const DateTime& to, int maxRuns) {
    return RunsInside(task, from, to, maxRuns, LocalTimeGaps::Around(from, to));
}

Agenda ComputeAgenda(const TaskList& tasks, const DateTime& from, const DateTime& to, int maxRunsPerTask) {
    Agenda agenda;
    const LocalTimeGaps gaps = LocalTimeGaps::Around(from, to);
    for (std::size_t index = 0; index < tasks.size(); ++index) {
        TaskRuns runs = RunsInside(tasks[index], from, to, maxRunsPerTask, gaps);
        if (runs.cutShort) agenda.cutShort.push_back(index);
        for (const DateTime& time : runs.times) agenda.runs.push_back({time, index});
    }
    // The list order breaks ties: the runs were gathered task by task.
    std::stable_sort(agenda.runs.begin(), agenda.runs.end(),
                     [](const AgendaRun& a, const AgendaRun& b) { return a.time < b.time; });
    return agenda;
}

}  // namespace tidewell
