#pragma once

#include <cstddef>
#include <vector>

#include "model/task_list.h"
#include "runtime/pass_window.h"
#include "runtime/scheduler_ports.h"
#include "timing/random_source.h"
#include "ui_ports/scheduler_view.h"

namespace tidewell {

// The scheduling passes over the task list. They own no timer: the windowed program calls
// CheckDueTasks about once a second and CheckAtLogonJob once, a second after start-up; tests and
// the dry run call them with simulated clocks. How a pass covers late ticks and clock jumps is
// written down at PassWindowTracker.
//
// A pass first claims what is due: each due task's next run is advanced and its last run set to
// the instant it was due. The claims are saved durably, and only then do the tasks start, in list
// order. So a crash at any instant leaves every due run done at most once: a run claimed on disk
// is never caught up again. A task that does not start gets its previous last run back, and the
// list is saved once more. Only the claims' save must be on disk when it returns; the view may
// write the others in the background. A pass that changes nothing saves nothing.
//
// Nothing a run shows waits for the user, so passes never nest; a pass entered while another is
// under way (a window's event loop calling back) does nothing.
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
    // task's waiting limit, starts or times the At Logon tasks when started at logon, and then
    // covers the seconds since the load like CheckDueTasks.
    void CheckAtLogonJob(const PassInstant& now, bool startedByLogon);

    // Runs the task at `index` now, leaving its next and last runs as they are. Returns whether
    // it started.
    bool RunNow(size_t index);

private:
    // A due run, claimed in the list but not yet started.
    struct PendingRun {
        size_t index = 0;
        bool hadLastRun = false;
        DateTime lastRun;
    };

    // Each returns whether the task changed.
    bool CheckTask(size_t index, const PassWindow& window);
    bool CheckDueWindow(const PassWindow& window);
    void RunDueTask(size_t index, const DateTime& now, const DateTime& runTime);
    void ClaimRun(size_t index, const DateTime& runTime);
    // Saves the claims of the pass, then starts them.
    void StartClaimedRuns();
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
    std::vector<PendingRun> m_pending;
    bool m_inPass = false;
    bool m_running = false;
};

}  // namespace tidewell
