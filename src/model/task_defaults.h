#pragma once

#include <string_view>

#include "model/task_record.h"
#include "platform/settings_port.h"
#include "time/clock.h"

namespace tidewell {

// Where the remembered types of the Add Task wizard live.
inline constexpr std::string_view kTaskSettingsSection = "Tidewell\\Task";
inline constexpr std::string_view kLastTaskTypeValue = "Last Task Type";
inline constexpr std::string_view kLastSoundTypeValue = "Last Sound Type";
inline constexpr std::string_view kLastScheduleTypeValue = "Last Schedule Type";

// Stored title of the built-in clock synchronization task.
inline constexpr std::string_view kClockSyncTaskTitle = "Automatic Clock Synchronization Setting";

// What a new task's defaults depend on.
struct TaskDefaultsContext {
    SettingsPort& settings;
    const Clock& clock;
    bool peEdition = false;  // macro tasks are not offered
};

// Sets every field to the new-task defaults, with the remembered types.
void ResetToDefaults(TaskRecord& task, const TaskDefaultsContext& context);

// Turns the record into the built-in clock synchronization task: disabled,
// monthly on the first Tuesday at 10:00:00.
void MakeClockSyncTask(TaskRecord& task, const TaskDefaultsContext& context);

// Remembers the types of a task the Add Task wizard has just added.
Result RememberLastTypes(const TaskRecord& task, SettingsPort& settings);

}  // namespace tidewell
