#pragma once

#include <string>

#include "model/task_record.h"

namespace tidewell {

// "Never" in the current language: the text of every task without a next run.
std::string NeverText();

// "%d-%d-%d %s": month, day and year without leading zeros, then "%H:%M:%S";
// "-" for a value that is not valid.
std::string RunInstantText(const DateTime& instant);

// The date of RunInstantText: "%d-%d-%d", month, day and year without leading zeros.
std::string RunDateText(const DateTime& instant);

// "%d-%d-%s": month, day and the last two digits of the year.
std::string ShortDateText(const DateTime& instant);

// The "Next Run" column text of a task whose next-run fields are computed.
// At Logon tasks show when they may run: "At next logon", with the range of
// their starting and ending dates while that limits them.
std::string NextRunColumnText(const DateTime& now, const TaskRecord& task);

// Whether the task has a run to come: a next run, or for At Logon a logon not past its end.
bool HasComingRun(const DateTime& now, const TaskRecord& task);

}  // namespace tidewell
