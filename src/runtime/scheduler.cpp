#include "runtime/scheduler.h"

#include <utility>

#include "time/clock.h"
#include "timing/next_run.h"
#include "timing/randomization.h"
#include "timing/waiting.h"

namespace tidewell {
namespace {

constexpr int32_t kMaxAtLogonWaitQuantity = 1440;

bool IsDueType(ScheduleType type) {
    return type >= ScheduleType::daily && type <= ScheduleType::atLogon;
}

// The next-run computation reads "now" from a clock; a pass gives every task the same now.
// Returns whether the task has a next run.
bool Advance(TaskRecord& task, const DateTime& now, RandomSource& random) {
    FixedClock clock(now);
    return GetNextRun(task, NextRunContext{clock, random});
}

// Whether the run moves to a random instant instead of running now.
bool DecidesRandomRun(TaskRecord& task, const DateTime& now, RandomSource& random) {
    const RandomizationInfo& info = task.randomizationInfo;
    if (!info.enable) return false;
    if (info.decidedTime == 0) return true;
    FixedClock clock(now);
    return Randomize(task, info.rpTotalSeconds, static_cast<int32_t>(RandomizeMode::decide),
                     NextRunContext{clock, random})
        .has_value();
}

bool AlreadyRunAt(const ScheduleInfo& schedule, const DateTime& instant) {
    return schedule.haveLastRunTime && schedule.lastRunTime >= instant;
}

// Marks a pass as under way for as long as it lasts.
class PassGuard {
public:
    explicit PassGuard(bool& inPass) : m_inPass(inPass) { m_inPass = true; }
    ~PassGuard() { m_inPass = false; }
    PassGuard(const PassGuard&) = delete;
    PassGuard& operator=(const PassGuard&) = delete;

private:
    bool& m_inPass;
};

}  // namespace

void Scheduler::CheckDueTasks(const PassInstant& now) {
    if (m_inPass) return;
    const PassGuard guard(m_inPass);
    if (CheckDueWindow(m_windows.Next(now))) StartClaimedRuns();
}

bool Scheduler::CheckDueWindow(const PassWindow& window) {
    bool changed = false;
    for (size_t i = 0; i < m_list.size(); ++i) {
        if (CheckTask(i, window)) changed = true;
    }
    return changed;
}

bool Scheduler::CheckTask(size_t index, const PassWindow& window) {
    TaskRecord& task = m_list[index];
    ScheduleInfo& schedule = task.scheduleInfo;
    if (IsPlaceholderTask(task) || !schedule.haveNextRunTime) return false;

    RandomizationInfo& random = task.randomizationInfo;
    if (random.finalSet && random.enable && window.Holds(random.finalTime)) {
        random.finalSet = false;
        if (m_running && !AlreadyRunAt(schedule, random.finalTime)) ClaimRun(index, random.finalTime);
        return true;
    }
    if (IsDueType(schedule.type) && window.Holds(schedule.nextRunTime)) {
        // An At Logon task without a wait runs from the start-up pass only.
        if (schedule.type == ScheduleType::atLogon && !schedule.atLogonWait) return false;
        const DateTime dueAt = schedule.nextRunTime;  // the advance moves it
        RunDueTask(index, window.to, dueAt);
        return true;
    }
    if (schedule.type == ScheduleType::countDown) m_view.RedrawRow(index);
    return AdvanceOverdue(task, window);
}

// Advances, and claims the run at `runTime`, the instant it was due, unless it moved to a random
// instant.
void Scheduler::RunDueTask(size_t index, const DateTime& now, const DateTime& runTime) {
    TaskRecord& task = m_list[index];
    const bool alreadyRun = AlreadyRunAt(task.scheduleInfo, runTime);
    const bool randomized = DecidesRandomRun(task, now, m_random);
    if (!randomized || task.randomizationInfo.overTime) Advance(task, now, m_random);
    if (m_running && !randomized && !alreadyRun) ClaimRun(index, runTime);
}

void Scheduler::ClaimRun(size_t index, const DateTime& runTime) {
    ScheduleInfo& schedule = m_list[index].scheduleInfo;
    m_pending.push_back({index, schedule.haveLastRunTime, schedule.lastRunTime});
    schedule.haveLastRunTime = true;
    schedule.lastRunTime = runTime;
}

void Scheduler::StartClaimedRuns() {
    m_list.SetModified(true);
    if (m_pending.empty()) {
        Save();
        return;
    }
    std::vector<size_t> claimed;
    for (const PendingRun& run : m_pending) claimed.push_back(run.index);
    m_view.SaveBeforeRuns(claimed);
    for (const PendingRun& run : std::exchange(m_pending, {})) {
        TaskRecord& task = m_list[run.index];
        if (m_runner.RunTask(task)) continue;
        // A run that did not start is no run.
        task.scheduleInfo.haveLastRunTime = run.hadLastRun;
        task.scheduleInfo.lastRunTime = run.lastRun;
    }
    // The list itself is saved once its runs have started, with any claim given back.
    m_view.SaveViewTaskList();
    // Drawn once every run has started: the runs wait for nothing but their claims.
    m_view.RedrawAll();
}

bool Scheduler::AdvanceOverdue(TaskRecord& task, const PassWindow& window) {
    ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.type >= ScheduleType::atLogon || !schedule.nextRunTime.IsValid()) return false;
    RandomizationInfo& random = task.randomizationInfo;
    bool overdue = false;
    if (random.enable && random.overTime) {
        overdue = schedule.nextRunTime <= window.to;
        if (overdue) random.overTime = false;
    } else if (random.enable) {
        // Waits for its random instant; a final time left from an earlier run does not count.
        overdue = random.finalTime <= window.from && schedule.nextRunTime <= window.to;
    } else {
        overdue = schedule.nextRunTime <= window.from;
    }
    if (!overdue) return false;
    if (!Advance(task, window.to, m_random)) schedule.haveNextRunTime = false;
    return true;
}

void Scheduler::CheckAtLogonJob(const PassInstant& now, bool startedByLogon) {
    if (m_inPass) return;
    const PassGuard guard(m_inPass);
    bool changed = false;
    for (size_t i = 0; m_running && i < m_list.size(); ++i) {
        TaskRecord& task = m_list[i];
        if (IsPlaceholderTask(task)) continue;
        const ScheduleInfo& schedule = task.scheduleInfo;
        bool run = CatchUpDue(task, now.wall);
        if (!run && startedByLogon && schedule.haveNextRunTime && schedule.type == ScheduleType::atLogon) {
            const LogonStep step = TimeAtLogonTask(task, now.wall);
            if (step == LogonStep::stopWalk) break;
            run = step == LogonStep::run;
        }
        if (!run) continue;
        changed = true;
        RunDueTask(i, now.wall, now.wall);
    }
    // What fell due since the load runs in this pass too, not a second later.
    if (CheckDueWindow(m_windows.Next(now))) changed = true;
    if (changed) StartClaimedRuns();
}

// A run missed while the program was not running, late by no more than the task's waiting limit.
bool Scheduler::CatchUpDue(const TaskRecord& task, const DateTime& now) const {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (!schedule.havePreviousRunTime || schedule.type >= ScheduleType::atLogon) return false;
    if (AlreadyRunAt(schedule, schedule.previousRunTime)) return false;
    const int64_t late = (now - schedule.previousRunTime).GetTotalSeconds();
    const std::optional<int64_t> limit = WaitingLimitSeconds(task.waitingInfo);
    return !limit || (*limit > 0 && late <= *limit);
}

Scheduler::LogonStep Scheduler::TimeAtLogonTask(TaskRecord& task, const DateTime& now) const {
    ScheduleInfo& schedule = task.scheduleInfo;
    if (now < schedule.startingTime) return LogonStep::none;
    if (schedule.haveEndingTime && now > schedule.endingTime) return LogonStep::none;
    if (!schedule.atLogonWait) {
        schedule.nextRunTime = now - TimeSpan::FromSeconds(1);
        return LogonStep::run;
    }
    if (schedule.atLogonWaitQuantity > kMaxAtLogonWaitQuantity) {
        schedule.atLogonWaitQuantity = kMaxAtLogonWaitQuantity;
    }
    if (schedule.atLogonWaitQuantity <= 0) return LogonStep::stopWalk;
    const int64_t unitSeconds = schedule.atLogonWaitUnit == TimeUnit::seconds ? 1 : 60;
    schedule.nextRunTime = now + TimeSpan::FromSeconds(schedule.atLogonWaitQuantity * unitSeconds);
    return LogonStep::none;
}

bool Scheduler::RunNow(size_t index) {
    if (index >= m_list.size() || IsPlaceholderTask(m_list[index])) return false;
    return m_runner.RunTask(m_list[index]);
}

void Scheduler::Save() {
    m_view.SaveViewTaskList();
    m_view.RedrawAll();
}

}  // namespace tidewell
