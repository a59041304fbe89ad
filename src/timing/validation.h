#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "model/task_record.h"

namespace tidewell {

// Clamps and trims a task's fields into range, in place; drops month entries
// that select no month.
void NormalizeTask(TaskRecord& task);

struct ValidationOptions {
    bool loadMode = false;  // the loader: file problems are warnings
    bool skipMusicCheck = false;
    bool remindFileErrors = true;   // "Error Reminder - File"
    bool remindMusicErrors = true;  // "Error Reminder - Music"
    bool macroChecking = false;     // the macro engine is present
};

struct ValidationResult {
    bool keep = true;     // the task may be kept (loader) or saved (editor)
    std::string message;  // every problem found, one paragraph each; empty when none
};

// A program path that is a link (a URL, "scheme://..." in its first ten characters, or a
// "mailto:" address, any case): it is opened, never checked as a file.
bool IsLinkPath(std::string_view path);

// Normalizes the task, then checks it. Outside load mode every problem is an
// error and the task is kept only without errors. In load mode a task with
// errors is dropped with the errors as message; otherwise it is kept with the
// warnings (missing program, macro and music files) as message.
ValidationResult ValidateTask(TaskRecord& task, const ValidationOptions& options);

// The list editors refuse a time that the list already holds: daily times by
// time of day, weekly entries by weekday and time, once entries by instant.
Result CheckDailyTimeIsNew(const std::vector<DateTime>& times, const DateTime& time);
Result CheckWeeklyTimeIsNew(const std::vector<WeeklyItem>& items, const WeeklyItem& item);
Result CheckOnceTimeIsNew(const std::vector<DateTime>& times, const DateTime& time);

}  // namespace tidewell
