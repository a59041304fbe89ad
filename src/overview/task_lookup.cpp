#include "overview/task_lookup.h"

#include <algorithm>
#include <string>

namespace tidewell {
namespace {

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

}  // namespace

TitleMatches MatchTitle(const TaskList& tasks, std::string_view title) {
    TitleMatches matches;
    const std::string wanted = AsciiLower(title);
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const TaskRecord& task = tasks[i];
        if (IsPlaceholderTask(task)) continue;
        if (task.title == title)
            matches.exact.push_back(i);
        else if (!wanted.empty() && AsciiLower(task.title).find(wanted) != std::string::npos)
            matches.similar.push_back(i);
    }
    if (!matches.exact.empty()) matches.similar.clear();
    return matches;
}

std::optional<std::size_t> NextDueTask(const TaskList& tasks) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const TaskRecord& task = tasks[i];
        const ScheduleInfo& schedule = task.scheduleInfo;
        if (IsPlaceholderTask(task) || !task.enabled || !schedule.haveNextRunTime ||
            schedule.type == ScheduleType::atLogon)
            continue;
        if (!first || schedule.nextRunTime < tasks[*first].scheduleInfo.nextRunTime) first = i;
    }
    return first;
}

}  // namespace tidewell
