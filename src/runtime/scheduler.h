#pragma once

#include <cstddef>

#include "model/task_list.h"
#include "runtime/pass_window.h"
#include "runtime/scheduler_ports.h"
#include "timing/random_source.h"

namespace tidewell {

// The scheduling passes over the task list. They own no timer: the windowed program calls
// CheckDueTasks about once a second and CheckAtLogonJob once, a second after start-up; tests and
// the dry run call them with simulated clocks. How a pass covers late ticks and clock jumps is
// written down at PassWindowTracker.
//
// Per due task the order is fixed: the next run is advanced first, then the task runs, then its
// last-run fields are set. The list is saved at most once per pass, and only when it changed.
class Scheduler {
public:
    Scheduler(TaskList& list, TaskRunner& runner, SchedulerView& view, RandomSource& random)
        : m_list(list), m_runner(runner), m_view(view), m_random(random) {}

    // Whether tasks run. While off, the passes still advance next runs and save, but run nothing.
    bool IsRunning() const { return m_running; }
    void SetRunning(bool running) { m_running = running; }

    // The instant the list's next runs were computed from; without it the first pass covers
    // only its own second.
    void StartPasses(const PassInstant& loadedAt) { m_windows.Start(loadedAt); }
    // The once-a-second pass.
    void CheckDueTasks(const PassInstant& now);

    // The start-up pass: runs what was missed while the program was not running, within each
    // task's waiting limit, and starts or times the At Logon tasks when started at logon.
    void CheckAtLogonJob(const DateTime& now, bool startedByLogon);

    // Runs the task at `index` now, leaving its next and last runs as they are.
    void RunNow(size_t index);

private:
    // Each returns whether the task changed.
    bool CheckTask(size_t index, const PassWindow& window);
    void RunDueTask(TaskRecord& task, const DateTime& now, const DateTime& runTime);
    bool AdvanceOverdue(TaskRecord& task, const PassWindow& window);
    bool CatchUpDue(const TaskRecord& task, const DateTime& now) const;
    enum class LogonStep { none, run, stopWalk };
    LogonStep TimeAtLogonTask(TaskRecord& task, const DateTime& now) const;
    void Save();

    TaskList& m_list;
    TaskRunner& m_runner;
    SchedulerView& m_view;
    RandomSource& m_random;
    PassWindowTracker m_windows;
    bool m_running = false;
};

}  // namespace tidewell
