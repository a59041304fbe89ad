#pragma once

#include <string>

#include "platform/settings_port.h"
#include "model/task_list.h"
#include "text/message_box.h"
#include "text/result.h"
#include "timing/next_run_context.h"

namespace tidewell {

// What loading and saving the schedule file take from the program.
struct ScheduleStoreContext {
    const Clock& clock;
    RandomSource& random;
    SettingsPort& settings;         // remembered types and the error reminders
    MessageBoxService& messageBox;  // validation texts and write failures
    std::string temporaryFolder;    // the program's private temporary folder
    std::string password;           // the administrator password; empty: a plain file
    bool peEdition = false;
    bool macroChecking = false;  // the macro engine is present
};

struct LoadReport {
    bool loaded = false;
    int droppedTasks = 0;  // sections that were not taken over
    int warnings = 0;      // tasks kept with a warning
    // Where the file was kept as it was, when it could not be read whole.
    std::string keptAsidePath;
    // Why an existing file could not be read.
    std::string failureMessage;
};

struct LoadOptions {
    // Keep the file aside (renamed when it cannot be read at all, copied when
    // sections were dropped), so that the next save cannot lose what it held.
    bool keepDamagedAside = true;
    // Put the list into its display order; otherwise it stays in file order
    // (by section name, the clock synchronization task added last).
    bool displayOrder = true;
};

// Replaces the list with the tasks of the file, validated, with the clock
// synchronization task, in display order. A missing, unreadable or wrongly
// protected file leaves the list empty and `loaded` false.
LoadReport LoadTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context,
                        const LoadOptions& options = {});

// Writes the list, protected when a password is set. The file is replaced
// whole or not at all; on failure the message has been shown and is returned.
Result SaveTaskList(const std::string& path, TaskList& list, const ScheduleStoreContext& context);

// Passes the list through a temporary file so that it is validated, defaulted
// and ordered exactly like a loaded one.
Result RefreshThroughFile(TaskList& list, const ScheduleStoreContext& context);

// Appends a copy of the task, refreshes the list through the file and returns
// the position the task settled at (the list length when it was refused).
size_t AddTask(TaskList& list, const TaskRecord& task, const ScheduleStoreContext& context);

}  // namespace tidewell
