#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/default_sound.h"
#include "support/temp_dir.h"

namespace tidewell {
namespace {

using testing::TempDir;

TaskRecord TaskOf(TaskType type, WindowsOperation operation = WindowsOperation::shutDown) {
    TaskRecord task;
    task.taskInfo.taskType = type;
    task.taskInfo.swoType = operation;
    task.soundInfo.type = 0;
    task.soundInfo.noticeSound = false;
    return task;
}

void Touch(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    testing::WriteFileText(path, "x");
}

TEST(DefaultSound, EachKindOfTaskGetsItsFileWhenItIsThere) {
    struct Case {
        TaskRecord task;
        const char* file;  // nullptr: none
    };
    const Case cases[] = {
        {TaskOf(TaskType::program), "wav/reminder.wav"},
        {TaskOf(TaskType::macro), "mid/fantansy/dream.mid"},
        {TaskOf(TaskType::notice), "wav/chimes.wav"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::standBy), "mid/fantansy/a_bridge.mid"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::hibernate), "mid/fantansy/dream.mid"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::shutDown), "mid/fantansy/15jzz30xg.mid"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::reboot), "mid/fantansy/mount.mid"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::logOff), "mid/general/12ind31xg.mid"},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::switchUser), nullptr},
        {TaskOf(TaskType::windowsOperation, WindowsOperation::clockSynchronization), nullptr},
    };
    for (const Case& c : cases) {
        TempDir program;
        TempDir installed;
        const std::vector<std::string> folders = {program.File("media"), installed.File("media")};
        TaskRecord task = c.task;
        if (c.file == nullptr) {
            EXPECT_TRUE(DefaultMediaFile(task).empty());
            EXPECT_FALSE(ChooseDefaultSound(task, folders));
            continue;
        }
        EXPECT_EQ(DefaultMediaFile(task), c.file);
        EXPECT_FALSE(ChooseDefaultSound(task, folders)) << c.file;  // not there yet: unchanged
        EXPECT_EQ(task.soundInfo.type, 0);
        EXPECT_FALSE(task.soundInfo.noticeSound);

        const std::string path = installed.File("media/") + c.file;
        Touch(path);
        ASSERT_TRUE(ChooseDefaultSound(task, folders)) << c.file;
        EXPECT_EQ(task.soundInfo.musicFilePath, path);
        EXPECT_EQ(task.soundInfo.type, 1);
        EXPECT_TRUE(task.soundInfo.noticeSound);
    }
}

TEST(DefaultSound, TheProgramFolderComesBeforeTheInstalledData) {
    Locations locations;
    locations.programDir = "/opt/tidewell/bin";
    locations.installedDataDir = "/opt/tidewell/share/tidewell";
    EXPECT_EQ(MediaFolders(locations),
              (std::vector<std::string>{"/opt/tidewell/bin/media", "/opt/tidewell/share/tidewell/media"}));
    locations.programDir.clear();
    EXPECT_EQ(MediaFolders(locations), std::vector<std::string>{"/opt/tidewell/share/tidewell/media"});
}

}  // namespace
}  // namespace tidewell
