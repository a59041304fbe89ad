// A pass killed at any instant, then the program started again: no due run is made twice.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "base/text_util.h"
#include "platform/memory_settings.h"
#include "runtime/scheduler.h"
#include "schedule_file/claims_journal.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using testing::At;

constexpr int kTasks = 300;
const DateTime kDue = At(2026, 6, 1, 9);

// Appends the title of every task it starts to a file, as the started programs would leave their
// trace; with `killBefore` set, the process dies just before that many runs have started.
class TracingRunner final : public TaskRunner {
public:
    TracingRunner(const std::string& path, int killBefore) : m_path(path), m_killBefore(killBefore) {}
    bool RunTask(TaskRecord& task) override {
        if (m_started == m_killBefore) ::raise(SIGKILL);
        const std::string line = task.title + "\r\n";
        const int fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
        const bool written =
            fd >= 0 && ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
        if (fd >= 0) ::close(fd);
        ++m_started;
        return written;
    }

private:
    std::string m_path;
    int m_killBefore;
    int m_started = 0;
};

// Saves as the program does: a pass's claims to the journal, the whole file only by the saves
// that follow (in the program those land later, on the saver's thread). With `killInSave`, dies
// before the first claims are journaled.
class FileView final : public SchedulerView {
public:
    FileView(std::string path, TaskList& list, const ScheduleStoreContext& context, bool killInSave)
        : m_path(std::move(path)), m_list(list), m_context(context), m_killInSave(killInSave) {}
    void RedrawRow(size_t) override {}
    void RedrawAll() override {}
    void SaveBeforeRuns(std::span<const size_t> claimed) override {
        if (m_killInSave) ::raise(SIGKILL);
        EXPECT_TRUE(AppendClaims(m_path, m_list, claimed, m_context.password).ok());
    }
    void SaveViewTaskList() override {
        EXPECT_TRUE(SaveTaskList(m_path, m_list, m_context).ok());
        EXPECT_TRUE(ClearClaims(m_path).ok());
    }

private:
    std::string m_path;
    TaskList& m_list;
    const ScheduleStoreContext& m_context;
    bool m_killInSave;
};

class CrashPassTest : public ::testing::Test {
protected:
    CrashPassTest() {
        TaskList list;
        for (int i = 0; i < kTasks; ++i) {
            TaskRecord task = testing::OnceTask({kDue});
            task.title = "task " + std::to_string(1000 + i);
            task.waitingInfo = {10, TimeUnit::minutes};
            task.taskInfo.taskType = TaskType::notice;
            task.taskInfo.noticeMsg = "Due at nine";
            list.Add(std::move(task));
        }
        EXPECT_TRUE(SaveTaskList(Schedule(), list, Context()).ok());
    }
    std::string Schedule() const { return m_dir.File("schedule.rws"); }
    std::string Runs() const { return m_dir.File("runs.txt"); }
    ScheduleStoreContext Context() { return {m_clock, m_random, m_settings, m_messageBox, {}}; }

    // The program as started at `now`: the list loaded, the start-up pass a second later, then a
    // pass a second.
    void RunProgram(const DateTime& now, int killBefore, bool killInSave) {
        m_clock.Set(now);
        ScheduleStoreContext context = Context();
        TaskList list;
        ASSERT_TRUE(LoadTaskList(Schedule(), list, context).loaded);
        TracingRunner runner(Runs(), killBefore);
        FileView view(Schedule(), list, context, killInSave);
        Scheduler scheduler(list, runner, view, m_random);
        scheduler.SetRunning(true);
        scheduler.StartPasses({now, 0});
        m_clock.Set(now + TimeSpan::FromSeconds(1));
        scheduler.CheckAtLogonJob({m_clock.Now(), 1000}, false);
        for (int second = 2; second <= 3; ++second) {
            m_clock.Set(now + TimeSpan::FromSeconds(second));
            scheduler.CheckDueTasks({m_clock.Now(), second * 1000});
        }
    }
    std::map<std::string, int> RunCounts() const {
        std::map<std::string, int> counts;
        for (const std::string& title : SplitLines(testing::ReadFileText(Runs()))) {
            if (title.rfind("task ", 0) == 0) ++counts[title];  // not the built-in clock task
        }
        return counts;
    }

    testing::TempDir m_dir;
    TestClock m_clock{kDue - TimeSpan::FromSeconds(2)};
    testing::FixedRandom m_random;
    MemorySettings m_settings;
    RecordingMessageBox m_messageBox;
};

TEST_F(CrashPassTest, AKilledPassNeverLeadsToARunMadeTwice) {
    std::mt19937 pick(21);
    std::vector<int> killPoints = {-1, 0, 1, kTasks - 1, kTasks};
    for (int round = 0; round < 7; ++round)
        killPoints.push_back(std::uniform_int_distribution<>(2, kTasks - 2)(pick));
    for (const int killBefore : killPoints) {
        std::remove(Runs().c_str());
        const std::string before = testing::ReadFileText(Schedule());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            RunProgram(kDue - TimeSpan::FromSeconds(2), killBefore, killBefore < 0);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
        EXPECT_EQ(killed, killBefore < kTasks) << killBefore;

        RunProgram(kDue + TimeSpan::FromSeconds(30), kTasks + 1, false);  // within the waiting limit
        const std::map<std::string, int> counts = RunCounts();
        int runs = 0;
        for (const auto& [title, count] : counts) {
            EXPECT_EQ(count, 1) << title << " after a kill before run " << killBefore;
            runs += count;
        }
        // Claimed runs that had not started when the process died are lost, never doubled.
        EXPECT_EQ(runs, killBefore < 0 ? kTasks : killBefore) << killBefore;
        testing::WriteFileText(Schedule(), before);
        EXPECT_TRUE(ClearClaims(Schedule()).ok());
    }
}

}  // namespace
}  // namespace tidewell
