#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "model/task_list.h"

namespace tidewell {

// The coming runs of the tasks inside a range of time.
//
// A task's runs are its scheduled instants (not the random ones), found one after the other by
// the next-run computation: the first after one second before the range starts, then each
// next one asked with the run before it as now. A disabled or expired task, a paused or cleared
// count-down and an At Logon task (which has no instant) give none. Each run is listed when the
// scheduling passes make it: a time inside a daylight-saving gap at the end of the gap.

// A task gives at most this many runs, so that a schedule repeating every second cannot make
// the agenda of a long range run away.
inline constexpr int kDefaultAgendaRunsPerTask = 1000;

struct TaskRuns {
    std::vector<DateTime> times;  // ascending
    bool cutShort = false;        // more runs fall inside the range than were taken
};

// The runs of one task from `from` to `to`, both included. The task is not changed.
TaskRuns RunsOfTask(const TaskRecord& task, const DateTime& from, const DateTime& to,
                    int maxRuns = kDefaultAgendaRunsPerTask);

struct AgendaRun {
    DateTime time;
    std::size_t task;  // index into the task list
};

struct Agenda {
    std::vector<AgendaRun> runs;        // in time order; runs at the same instant in list order
    std::vector<std::size_t> cutShort;  // indices of the tasks whose runs were cut short, ascending
};

// The runs of every task of the list (placeholders skipped) from `from` to `to`.
Agenda ComputeAgenda(const TaskList& tasks, const DateTime& from, const DateTime& to,
                     int maxRunsPerTask = kDefaultAgendaRunsPerTask);

// Quick View lists every run of its range; only a total no one could read is cut.
inline constexpr std::size_t kMaxRangeRuns = 200000;

struct RangeRuns {
    std::vector<AgendaRun> runs;         // in time order; runs at the same instant in list order
    std::optional<DateTime> stopsAfter;  // set when the list was cut: the runs after it are left out
};

// The runs of every task from `from` to `to`, all of them up to about `maxRuns`: a longer list
// stops after the instant of its maxRuns-th run (the runs at that instant included).
RangeRuns ComputeRangeRuns(const TaskList& tasks, const DateTime& from, const DateTime& to,
                           std::size_t maxRuns = kMaxRangeRuns);

}  // namespace tidewell
