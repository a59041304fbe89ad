#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/result.h"
#include "model/task_record.h"

namespace tidewell {

// A new task described by the options of "tidewell-cli add" (which the running program takes
// over the session bus too): the task's own choices, laid over the program's defaults by
// ApplyAddOptions.
struct AddOptions {
    std::string file;      // --file; the user's schedule file when empty
    std::string password;  // --password
    std::string title;
    // The schedule: exactly one of these forms.
    std::vector<DateTime> once;
    std::vector<DateTime> daily;
    std::vector<WeeklyItem> weekly;
    std::optional<int> everyQuantity;
    TimeUnit everyUnit = TimeUnit::minutes;
    bool atLogon = false;
    std::optional<int> waitMinutes;  // --wait, with --at-logon
    std::optional<DateTime> start;
    std::optional<DateTime> end;
    // The action: exactly one of these.
    std::optional<std::string> run;
    std::optional<std::string> args;  // with --run
    std::optional<std::string> open;
    std::optional<std::string> notice;
    bool sound = false;
    std::optional<int> randomMinutes;
};

// Reads the options after the verb. A value that does not read, an option given twice that
// cannot be, or a missing or second schedule or action fails with the message to show.
Result ParseAddOptions(const std::vector<std::string>& arguments, AddOptions& options);

// Lays the options over a task holding the program's defaults for a new task.
void ApplyAddOptions(const AddOptions& options, const DateTime& now, TaskRecord& task);

}  // namespace tidewell
