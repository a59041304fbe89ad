#include "runtime/default_sound.h"

#include <sys/stat.h>

namespace tidewell {

namespace {

constexpr std::string_view kProgramSound = "wav/reminder.wav";
constexpr std::string_view kNoticeSound = "wav/chimes.wav";
constexpr std::string_view kDreamSound = "mid/fantansy/dream.mid";
constexpr std::string_view kStandBySound = "mid/fantansy/a_bridge.mid";
constexpr std::string_view kShutDownSound = "mid/fantansy/15jzz30xg.mid";
constexpr std::string_view kRebootSound = "mid/fantansy/mount.mid";
constexpr std::string_view kLogOffSound = "mid/general/12ind31xg.mid";

std::string_view OperationSound(WindowsOperation operation) {
    switch (operation) {
        case WindowsOperation::standBy: return kStandBySound;
        case WindowsOperation::hibernate: return kDreamSound;
        case WindowsOperation::shutDown: return kShutDownSound;
        case WindowsOperation::reboot: return kRebootSound;
        case WindowsOperation::logOff: return kLogOffSound;
        default: return {};
    }
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string_view DefaultMediaFile(const TaskRecord& task) {
    switch (task.taskInfo.taskType) {
        case TaskType::program: return kProgramSound;
        case TaskType::macro: return kDreamSound;
        case TaskType::notice: return kNoticeSound;
        case TaskType::windowsOperation: return OperationSound(task.taskInfo.swoType);
    }
    return {};
}

std::vector<std::string> MediaFolders(const Locations& locations) {
    std::vector<std::string> folders;
    for (const std::string* base : {&locations.programDir, &locations.installedDataDir}) {
        if (!base->empty()) {
            folders.push_back(JoinPath(*base, kMediaFolderName));
        }
    }
    return folders;
}

bool ChooseDefaultSound(TaskRecord& task, const std::vector<std::string>& mediaFolders) {
    const std::string_view file = DefaultMediaFile(task);
    if (file.empty()) {
        return false;
    }
    for (const std::string& folder : mediaFolders) {
        std::string path = JoinPath(folder, file);
        if (IsRegularFile(path)) {
            task.soundInfo.musicFilePath = std::move(path);
            task.soundInfo.type = kMusicSoundType;
            task.soundInfo.noticeSound = true;
            return true;
        }
    }
    return false;
}

}  // namespace tidewell
