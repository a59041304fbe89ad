#include "timing/post_load_update.h"

#include <algorithm>
#include <array>
#include <memory>
#include <tuple>
#include <vector>

#include "timing/next_run.h"

namespace tidewell {
namespace {

using Record = std::unique_ptr<TaskRecord>;

// The display order inside one group, as a key that sorts ascending.
std::tuple<int, int64_t> DisplayKey(const TaskRecord& task) {
    const ScheduleInfo& schedule = task.scheduleInfo;
    if (schedule.haveNextRunTime) return {0, schedule.nextRunTime.Seconds()};
    if (schedule.haveLastRunTime) return {1, -schedule.lastRunTime.Seconds()};
    return {2, -schedule.startingTime.Seconds()};
}

void SortGroup(std::vector<Record>& group) {
    std::stable_sort(group.begin(), group.end(),
                     [](const Record& a, const Record& b) { return DisplayKey(*a) < DisplayKey(*b); });
}

}  // namespace

void UpdateRuns(TaskRecord& task, const NextRunContext& context) {
    GetNextRunString(task, context);
    PreviousRun(context.clock.Now(), task);
}

void ArrangeForDisplay(TaskList& list) {
    std::array<std::vector<Record>, kScheduleTypeCount> groups;
    std::vector<Record> clockSync;
    for (Record& record : list.Release()) {
        if (!IsKnownScheduleType(record->scheduleInfo.type)) continue;
        auto& group =
            record->isClockSyncTask ? clockSync : groups[static_cast<size_t>(record->scheduleInfo.type)];
        group.push_back(std::move(record));
    }

    std::vector<Record> ordered;
    for (auto& group : groups) {
        if (group.empty()) continue;
        SortGroup(group);
        std::move(group.begin(), group.end(), std::back_inserter(ordered));
        ordered.push_back(std::make_unique<TaskRecord>(MakePlaceholderTask()));
    }
    if (!ordered.empty()) ordered.pop_back();
    SortGroup(clockSync);
    std::move(clockSync.begin(), clockSync.end(), std::back_inserter(ordered));
    list.Adopt(std::move(ordered));
}

void PostLoadUpdate(TaskList& list, const NextRunContext& context) {
    for (TaskRecord& task : list) {
        if (IsKnownScheduleType(task.scheduleInfo.type)) UpdateRuns(task, context);
    }
    ArrangeForDisplay(list);
}

}  // namespace tidewell
