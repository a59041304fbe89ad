// A process saving the schedule is killed at random moments; every time, the
// file must load as one of the two lists it was writing, never anything else.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "support/test_clock.h"
#include "schedule_file/schedule_store.h"
#include "support/fake_settings.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/recording_message_box.h"

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

// Which of the two lists the file holds: its prefix, or "" when neither.
std::string LoadedPrefix(const std::string& path, const ScheduleStoreContext& context, size_t expectedCount) {
    TaskList list;
    LoadOptions options;
    options.keepDamagedAside = false;
    if (!LoadTaskList(path, list, context, options).loaded) return {};
    std::string prefix;
    size_t count = 0;
    for (const TaskRecord& task : list) {
        if (IsPlaceholderTask(task) || task.isClockSyncTask) continue;
        std::string own = task.title.substr(0, 1);
        if (!prefix.empty() && own != prefix) return {};
        prefix = own;
        ++count;
    }
    return count == expectedCount ? prefix : std::string();
}

class ScheduleCrashTest : public ::testing::TestWithParam<bool> {};

TEST_P(ScheduleCrashTest, KilledSaveLeavesTheOldOrTheNewList) {
    TempDir temp;
    std::filesystem::create_directory(temp.File("tmp"));
    TestClock clock(At(2006, 3, 13, 9));
    FixedRandom random;
    FakeSettings settings;
    RecordingMessageBox messageBox;
    std::string password = GetParam() ? "s3cret!" : "";
    ScheduleStoreContext context{clock, random, settings, messageBox, temp.File("tmp"), password};
    constexpr int kTasks = 1500;
    TaskList lists[] = {ListOf("A", kTasks), ListOf("B", kTasks)};
    std::string path = temp.File("schedule.rws");
    ASSERT_TRUE(SaveTaskList(path, lists[0], context));

    std::mt19937 chance(2006);
    int sawA = 0, sawB = 0;
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = round;; ++i) (void)SaveTaskList(path, lists[i % 2], context);
        }
        // Let it run for a random share of a few saves, then kill it mid-write.
        for (int spins = std::uniform_int_distribution<int>(1, 400)(chance); spins > 0; --spins) {
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, WNOHANG), 0);
            for (int busy = 0; busy < 100000; ++busy) {
                asm volatile("" ::: "memory");  // a short wait that the compiler keeps
            }
        }
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        std::string prefix = LoadedPrefix(path, context, kTasks);
        ASSERT_FALSE(prefix.empty()) << "round " << round;
        (prefix == "A" ? sawA : sawB)++;
    }
    EXPECT_GT(sawA + sawB, 0);
}

INSTANTIATE_TEST_SUITE_P(PlainAndProtected, ScheduleCrashTest, ::testing::Values(false, true),
                         [](const auto& param) {
                             return param.param ? std::string("protected") : std::string("plain");
                         });

}  // namespace
}  // namespace tidewell
