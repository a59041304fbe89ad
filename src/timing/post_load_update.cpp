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

void PostLoadUpdate(TaskList& list, const NextRunContext& context) {
    std::array<std::vector<Record>, kScheduleTypeCount> groups;
    std::vector<Record> clockSync;
    DateTime now = context.clock.Now();
    for (Record& record : list.Release()) {
        if (!IsKnownScheduleType(record->scheduleInfo.type)) continue;
        GetNextRunString(*record, context);
        PreviousRun(now, *record);
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

}  // namespace tidewell
