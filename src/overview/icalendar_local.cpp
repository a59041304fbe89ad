#include "base/text_util.h"
#include "overview/icalendar.h"
#include "time/local_time.h"

namespace tidewell {
namespace {

// The C library reads the zone on every call, which dominates a large export; runs come in time
// order and offsets change only at whole quarter hours, so one call per quarter hour.
LocalToUtc QuarterHourZone() {
    return [cachedSlot = int64_t{-1}, offset = std::optional<int64_t>()](const DateTime& local) mutable {
        const int64_t slot = local.Seconds() / 900;
        if (slot != cachedSlot) {
            const DateTime start = DateTime::FromSeconds(slot * 900);
            std::optional<int64_t> utc = LocalToUnixSeconds(start);
            offset = utc ? std::optional<int64_t>(*utc - start.Seconds()) : std::nullopt;
            cachedSlot = slot;
        }
        return offset ? std::optional<int64_t>(local.Seconds() + *offset) : std::nullopt;
    };
}

}  // namespace

std::vector<std::string> ICalendarDescriptions(const TaskList& tasks, const DescriptionOptions& options,
                                               const NextRunContext& context) {
    std::vector<std::string> descriptions;
    descriptions.reserve(tasks.size());
    for (const TaskRecord& task : tasks) {
        TaskDescription description = DescribeTask(task, options, context);
        std::string text;
        for (const std::string* section : {&description.task, &description.sound, &description.schedule,
                                           &description.randomization, &description.waiting}) {
            std::string plain = ReplaceAll(*section, "\r\n", "\n");
            while (plain.ends_with('\n')) plain.pop_back();
            if (plain.empty()) continue;
            text += (text.empty() ? "" : "\n") + plain;
        }
        descriptions.push_back(std::move(text));
    }
    return descriptions;
}

void WriteLocalICalendar(const Agenda& agenda, const TaskList& tasks, const DateTime& now,
                         const DescriptionOptions& options, const NextRunContext& context,
                         std::ostream& out) {
    ICalendarExport calendar;
    calendar.stampUtc = LocalToUnixSeconds(now).value_or(0);
    calendar.toUtc = QuarterHourZone();
    calendar.descriptions = ICalendarDescriptions(tasks, options, context);
    WriteICalendar(agenda, tasks, calendar, out);
}

}  // namespace tidewell
