#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "base/result.h"
#include "model/task_list.h"

namespace tidewell {

// The runs a pass claimed, made durable before they start while the whole schedule file follows
// on the saver's thread: a crash before that write lands must not lead to a run made twice.
// Each line holds a claimed last run and a key of the task (a keyed hash of what the task does,
// so that a protected schedule's texts never reach the disk in plain text):
// "YYYY-MM-DD HH:MM:SS 0123456789abcdef", CR LF.
inline constexpr std::string_view kClaimsJournalSuffix = ".runs";
inline std::string ClaimsJournalPath(const std::string& scheduleFile) {
    return scheduleFile + std::string(kClaimsJournalSuffix);
}

// Appends the last runs of the tasks at `claimed`, durably, beside the schedule file.
Result AppendClaims(const std::string& scheduleFile, const TaskList& list, std::span<const size_t> claimed,
                    const std::string& password);

// Moves the last run of each task of a freshly read list forward to a claim of it, and counts
// the tasks changed. No journal changes nothing; lines that cannot be read (the end of an
// append cut by a crash) are passed over.
Result ApplyClaims(const std::string& scheduleFile, TaskList& list, const std::string& password,
                   int& applied);

// Removes the journal, once the schedule file holds every claim in it.
Result ClearClaims(const std::string& scheduleFile);

}  // namespace tidewell
