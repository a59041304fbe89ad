#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/default_sound.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

TEST(DefaultSound, ANewTaskGetsTheFileOfItsKindOnlyWhenItIsThere) {
    testing::TempDir program, installed;
    const std::vector<std::string> folders = {program.File("media"), installed.File("media")};
    TaskRecord task;
    task.taskInfo.taskType = TaskType::windowsOperation;
    task.taskInfo.swoType = WindowsOperation::logOff;
    task.soundInfo.type = 0;
    task.soundInfo.noticeSound = false;
    EXPECT_FALSE(ChooseDefaultSound(task, folders));  // not installed: the task is unchanged
    EXPECT_EQ(task.soundInfo.type, 0);

    const std::string path = installed.File("media/mid/general/12ind31xg.mid");
    std::filesystem::create_directories(installed.File("media/mid/general"));
    testing::WriteFileText(path, "x");
    ASSERT_TRUE(ChooseDefaultSound(task, folders));
    EXPECT_EQ(task.soundInfo.musicFilePath, path);
    EXPECT_EQ(task.soundInfo.type, 1);
    EXPECT_TRUE(task.soundInfo.noticeSound);

    task.taskInfo.swoType = WindowsOperation::switchUser;
    EXPECT_EQ(DefaultMediaFile(task), "");
}

}  // namespace
}  // namespace tidewell
