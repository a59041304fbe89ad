#include "overview/agenda.h"

#include <algorithm>
#include <functional>
#include <queue>

#include "time/local_time.h"
#include "timing/next_run.h"

namespace tidewell {

namespace {

bool HasInstants(const TaskRecord& task) {
    return !IsPlaceholderTask(task) && task.scheduleInfo.type != ScheduleType::atLogon;
}

// One task's runs, one after the other, on a copy of the task.
class RunWalk {
public:
    RunWalk(const TaskRecord& task, const DateTime& from, std::size_t index)
        : m_task(task), m_now(from - TimeSpan::FromSeconds(1)), m_index(index) {
        m_task.randomizationInfo.enable = false;  // the scheduled instants, never a draw
    }

    // The next run not after `to`, or nothing once the runs of the range are over.
    std::optional<DateTime> Next(const DateTime& to, const LocalTimeGaps& gaps) {
        if (!NextRunFields(m_now, m_task)) return std::nullopt;
        // A run inside a daylight-saving gap is made when the clock leaves the gap, and the task
        // goes on from there: what else fell in the gap is not made.
        const DateTime next = gaps.FirstShownAtOrAfter(m_task.scheduleInfo.nextRunTime);
        // A run that is not after now would repeat forever; none of the schedules gives one.
        if (next > to || !(next > m_now)) return std::nullopt;
        m_now = next;
        return next;
    }
    std::size_t Index() const { return m_index; }

private:
    TaskRecord m_task;
    DateTime m_now;
    std::size_t m_index;
};

TaskRuns RunsInside(const TaskRecord& task, const DateTime& from, const DateTime& to, int maxRuns,
                    const LocalTimeGaps& gaps) {
    TaskRuns runs;
    if (!HasInstants(task) || from > to) return runs;
    RunWalk walk(task, from, 0);
    while (std::optional<DateTime> next = walk.Next(to, gaps)) {
        if (static_cast<int>(runs.times.size()) >= maxRuns) {
            runs.cutShort = true;
            break;
        }
        runs.times.push_back(*next);
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

RangeRuns ComputeRangeRuns(const TaskList& tasks, const DateTime& from, const DateTime& to,
                           std::size_t maxRuns) {
    RangeRuns result;
    if (from > to) return result;
    const LocalTimeGaps gaps = LocalTimeGaps::Around(from, to);
    std::vector<RunWalk> walks;
    for (std::size_t index = 0; index < tasks.size(); ++index) {
        if (HasInstants(tasks[index])) walks.emplace_back(tasks[index], from, index);
    }
    // The tasks' walks merged by time; the list order breaks ties.
    using Pending = std::pair<DateTime, std::size_t>;  // a run and its walk
    std::priority_queue<Pending, std::vector<Pending>, std::greater<>> pending;
    for (std::size_t walk = 0; walk < walks.size(); ++walk) {
        if (std::optional<DateTime> next = walks[walk].Next(to, gaps)) pending.push({*next, walk});
    }
    while (!pending.empty()) {
        const auto [time, walk] = pending.top();
        // The list ends between two instants, so every run up to its last one is in it.
        if (result.runs.size() >= maxRuns && time > result.runs.back().time) {
            result.stopsAfter = result.runs.back().time;
            break;
        }
        pending.pop();
        result.runs.push_back({time, walks[walk].Index()});
        if (std::optional<DateTime> next = walks[walk].Next(to, gaps)) pending.push({*next, walk});
    }
    return result;
}

}  // namespace tidewell
