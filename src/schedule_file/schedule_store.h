#pragma once

#include <string>
#include <string_view>

#include "base/result.h"
#include "model/task_list.h"
#include "platform/settings_port.h"
#include "timing/next_run_context.h"
#include "ui_ports/message_box.h"

namespace tidewell {

// Every writer of the schedule file holds the lock file beside it ("FILE.lock") while it reads,
// changes and replaces the file: the program as long as it has the file open, the command-line
// tool while it adds a task.
inline constexpr std::string_view kScheduleLockSuffix = ".lock";
inline std::string ScheduleLockPath(const std::string& scheduleFile) {
    return scheduleFile + std::string(kScheduleLockSuffix);
}

// What loading and saving the schedule file take from the program.
struct ScheduleStoreContext {
    const Clock& clock;
    RandomSource& random;
    SettingsPort& settings;         // remembered types and the error reminders
    MessageBoxService& messageBox;  // validation texts and write failures
    std::string password;           // the administrator password, or one typed; empty: a plain file
    bool peEdition = false;
    bool macroChecking = false;  // the macro engine is present
};

struct LoadReport {
    bool loaded = false;
    int droppedTasks = 0;   // sections that were not taken over
    int warnings = 0;       // tasks kept with a warning
    int claimsApplied = 0;  // tasks whose last run came from the journal of claimed runs
    // Where the file was kept as it was, when it could not be read whole.
    std::string keptAsidePath;
    // Why an existing file could not be read; Ok when it was, or when there is no file.
    Result failure = Result::Ok();
    // The file holds what the list does not, and no copy of it was kept: saving over it would
    // lose that, so it is left alone until the user chooses to replace it.
    bool leaveFile = false;
};

struct LoadOptions {
    // Keep the file aside (KeepAside: a hard link or a copy) when it cannot be
    // read or sections were dropped, so that no save can lose what it held.
    bool keepDamagedAside = true;
    // Put the list into its display order; otherwise it stays in file order
    // (by section name, the clock synchronization task added last).
    bool displayOrder = true;
};

// Replaces the list with the tasks of the file, validated, with the clock
// synchronization task, in display order. A missing, unreadable or wrongly
// protected file leaves the list empty and `loaded` false. With
// `keepDamagedAside`, a file that exists but was not read whole is reported to
// the user with what became of it.
LoadReport LoadTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context,
                        const LoadOptions& options = {});

// Writes the list, protected when a password is set: both protection layers
// work in memory and the file is replaced once, durably, whole or not at all.
// On failure the message has been shown and is returned.
Result SaveTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context);
// SaveTaskList without showing the failure: the caller reports it.
Result WriteTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context);

// One save of the list, taken in memory so that another thread can write it while the list
// goes on changing.
struct ScheduleSnapshot {
    std::string path;
    TaskList tasks;        // a copy of the list as it was
    std::string password;  // empty: a plain file
    bool peEdition = false;
};
ScheduleSnapshot TakeSnapshot(const std::string& path, const TaskList& list,
                              const ScheduleStoreContext& context);
// Replaces the file with the snapshot's list, durably, whole or not at all; fails with the message
// WriteTaskList gives. Serializing normalizes the snapshot's copy of the list.
Result WriteSnapshot(ScheduleSnapshot& snapshot);

// Passes the list through the schedule file's writer and reader in memory, so
// that it is validated, defaulted and ordered exactly like a loaded one. The
// disk is not touched, so nothing can fail; the modified flag stays.
void RefreshThroughFile(TaskList& list, const ScheduleStoreContext& context);

// RefreshThroughFile for the task at `index` alone, the others as they are; the list is put
// back into its display order. Returns the position the task settled at (the list length when
// it was refused). Other tasks are not read again, so no message about them is shown again.
size_t RefreshTaskThroughFile(TaskList& list, size_t index, const ScheduleStoreContext& context);

// Appends a copy of the task, refreshes it through the file and returns the position it
// settled at (the list length when it was refused).
size_t AddTask(TaskList& list, const TaskRecord& task, const ScheduleStoreContext& context);

}  // namespace tidewell
