#include "overview/schedule_statistics.h"

#include <numeric>

#include "text/messages.h"
#include "timing/schedule_type_name.h"

namespace tidewell {
namespace {

// "Total: 3 \tActive: 2 \tExpired: 1"
std::string CountsLine(int total, int active) {
    return LoadMessage(IDS_KLN_TOTAL) + ": " + std::to_string(total) + " \t" + LoadMessage(IDS_KLN_ACTIVE) +
           ": " + std::to_string(active) + " \t" + LoadMessage(IDS_KLN_EXPIRED) + ": " +
           std::to_string(total - active);
}

}  // namespace

ScheduleCounts CountSchedules(const TaskList& tasks) {
    ScheduleCounts counts;
    for (const TaskRecord& task : tasks) {
        if (IsPlaceholderTask(task) || !IsKnownScheduleType(task.scheduleInfo.type)) continue;
        auto type = static_cast<std::size_t>(task.scheduleInfo.type);
        ++counts.total[type];
        if (task.scheduleInfo.haveNextRunTime) ++counts.active[type];
    }
    return counts;
}

std::string ScheduleStatistics(const TaskList& tasks) {
    ScheduleCounts counts = CountSchedules(tasks);
    int total = std::accumulate(counts.total.begin(), counts.total.end(), 0);
    int active = std::accumulate(counts.active.begin(), counts.active.end(), 0);
    std::string report =
        LoadMessage(IDS_TIDEWELL_VIEW_STATISTICS_SUMMARY) + "\r\n" + CountsLine(total, active);
    if (total > 0) {
        report += "\r\n\r\n" + LoadMessage(IDS_TIDEWELL_VIEW_STATISTICS_BREAKDOWN) + "\r\n";
        for (int type = 0; type < kScheduleTypeCount; ++type) {
            auto index = static_cast<std::size_t>(type);
            if (counts.total[index] == 0) continue;
            report += ScheduleTypeName(static_cast<ScheduleType>(type)) + "\r\n" +
                      CountsLine(counts.total[index], counts.active[index]) + "\r\n\r\n";
        }
    }
    while (report.ends_with("\r\n")) report.resize(report.size() - 2);
    return report;
}

}  // namespace tidewell
