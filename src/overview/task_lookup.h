#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "model/task_list.h"

namespace tidewell {

// Finding tasks by what scripts know of them: the title, and the next run of the list.

struct TitleMatches {
    std::vector<std::size_t> exact;    // tasks of exactly this title
    std::vector<std::size_t> similar;  // when none is exact: titles holding it, ASCII case ignored
};

// The tasks of the list (placeholders skipped) that a title names.
TitleMatches MatchTitle(const TaskList& tasks, std::string_view title);

// The enabled task whose stored next run comes first (the first in the list on a tie); nothing
// when no task has one. At Logon tasks have no instant and never come first.
std::optional<std::size_t> NextDueTask(const TaskList& tasks);

}  // namespace tidewell
