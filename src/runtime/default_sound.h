#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/locations.h"
#include "model/task_record.h"

namespace tidewell {

// The program's own media files live in this folder of the program folder or of the installed
// data folder.
inline constexpr std::string_view kMediaFolderName = "media";
// SndI Type of a music file.
inline constexpr int32_t kMusicSoundType = 1;

// The default media file of a new task's sound notice, relative to the media folder; empty when
// the task gets none.
std::string_view DefaultMediaFile(const TaskRecord& task);

// The media folders, in the order they are searched: the program folder's, the installed one.
std::vector<std::string> MediaFolders(const Locations& locations);

// Gives the task the default media file of its kind when that file is found in one of the
// folders: the music file path is set to it, the sound type to music and the sound notice on.
// False (and the task unchanged) when there is no default or it is not found.
bool ChooseDefaultSound(TaskRecord& task, const std::vector<std::string>& mediaFolders);

}  // namespace tidewell
