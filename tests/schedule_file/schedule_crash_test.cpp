// A process saving the schedule is killed at random moments; every time, the file must load as
// the list of the last save that finished or of the one that was under way, never anything else.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "platform/memory_settings.h"
#include "schedule_file/schedule_store.h"
#include "support/recording_message_box.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using namespace tidewell::testing;

TaskList ListOf(const std::string& prefix, int count) {
    TaskList list;
    for (int i = 0; i < count; ++i) {
        TaskRecord task = DailyTask({TimeOfDayValue(i % 24, i % 60)});
        task.title = prefix + std::to_string(i);
        task.taskInfo.taskType = TaskType::notice;
        task.taskInfo.noticeMsg = std::string(200, 'n');
        list.Add(task);
    }
    return list;
}

// Which of the two lists the file holds: its prefix, or "" when neither, whole.
std::string LoadedPrefix(const std::string& path, const ScheduleStoreContext& context, size_t expectedCount) {
    TaskList list;
    if (!LoadTaskList(path, list, context, {.keepDamagedAside = false}).loaded) return {};
    std::string titles;
    for (const TaskRecord& task : list)
        if (!IsPlaceholderTask(task) && !task.isClockSyncTask) titles += task.title[0];
    const bool whole =
        titles.size() == expectedCount && titles.find_first_not_of(titles[0]) == std::string::npos;
    return whole ? titles.substr(0, 1) : std::string();
}

class ScheduleCrashTest : public ::testing::TestWithParam<bool> {};

TEST_P(ScheduleCrashTest, KilledSaveLeavesTheLastOrTheNextList) {
    TempDir temp;
    TestClock clock(At(2006, 3, 13, 9));
    FixedRandom random;
    MemorySettings settings;
    RecordingMessageBox messageBox;
    ScheduleStoreContext context{clock, random, settings, messageBox, GetParam() ? "s3cret!" : ""};
    constexpr int kTasks = 1500;
    TaskList lists[] = {ListOf("A", kTasks), ListOf("B", kTasks)};
    const std::string path = temp.File("schedule.rws");
    ASSERT_TRUE(SaveTaskList(path, lists[0], context));

    std::mt19937 chance(2006);
    int finishedSaves = 0;  // over all rounds: the list of save n is lists[n % 2]
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 12; ++round) {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        const int first = finishedSaves + 1;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeFds[0]);
            for (int n = first;; ++n) {
                if (!SaveTaskList(path, lists[n % 2], context)) _exit(1);
                const char done = 'd';
                if (write(pipeFds[1], &done, 1) != 1) _exit(1);
            }
        }
        close(pipeFds[1]);
        // Wait for 0 to 2 whole saves, then kill the next one at a random moment.
        const int wanted = std::uniform_int_distribution<int>(0, 2)(chance);
        int completed = 0;
        char done = 0;
        for (; completed < wanted; ++completed) ASSERT_EQ(read(pipeFds[0], &done, 1), 1);
        for (int spins = std::uniform_int_distribution<int>(0, 20000000)(chance); spins > 0; --spins) {
            asm volatile("" ::: "memory");  // a short wait that the compiler keeps
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child failed on its own";
        while (read(pipeFds[0], &done, 1) == 1) ++completed;
        close(pipeFds[0]);
        finishedSaves += completed;
        // Either list may be the one under way: the file holds a whole list, whichever it is.
        const std::string prefix = LoadedPrefix(path, context, kTasks);
        EXPECT_TRUE(prefix == "A" || prefix == "B") << "round " << round << ": \"" << prefix << "\"";
        (prefix == "A" ? sawA : sawB)++;
    }
    // Whole saves replaced the file in both directions: the kills did not merely leave the first file.
    EXPECT_GT(sawA, 0);
    EXPECT_GT(sawB, 0);
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, ScheduleCrashTest, ::testing::Values(false, true),
                         [](const auto& param) {
                             return param.param ? std::string("protected") : std::string("plain");
                         });

}  // namespace
}  // namespace tidewell
