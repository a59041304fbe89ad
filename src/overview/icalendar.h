#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/task_list.h"
#include "overview/agenda.h"
#include "overview/description.h"
#include "timing/next_run_context.h"

namespace tidewell {

// The agenda as an iCalendar file (RFC 5545) that calendar programs import: one VEVENT per run,
// its start in UTC, the task's title as the summary and its description as the description.
// Lines end in CR LF and are folded at 75 octets, never inside a UTF-8 character.

// Text escaped for a TEXT value: backslash, comma and semicolon get a backslash, a line break
// (LF or CR LF) becomes "\n".
std::string EscapeICalendarText(std::string_view text);

// One content line folded into pieces of at most 75 octets, each but the first starting with a
// blank, each ending in CR LF.
std::string FoldICalendarLine(std::string_view line);

// "YYYYMMDDTHHMMSSZ" of seconds since 1970-01-01 00:00:00 UTC.
std::string ICalendarUtcText(int64_t unixSeconds);

// The UID of a task's run: the same title, schedule type and instant give the same UID on
// every export.
std::string RunUid(const TaskRecord& task, const DateTime& run);

// Seconds since 1970-01-01 UTC of a local date-time; nothing when the local time zone cannot
// place it.
using LocalToUtc = std::function<std::optional<int64_t>(const DateTime&)>;

struct ICalendarExport {
    int64_t stampUtc = 0;                   // DTSTAMP of every event: when the file was made
    LocalToUtc toUtc;                       // the time zone of the schedule's wall-clock times
    std::vector<std::string> descriptions;  // one per task of the list, CR LF line breaks allowed
};

// Writes the calendar of `agenda`, whose runs index `tasks`. A run the time zone cannot place
// is left out.
void WriteICalendar(const Agenda& agenda, const TaskList& tasks, const ICalendarExport& context,
                    std::ostream& out);

// Each task's description for the calendar: its sections one after the other, plain line ends.
std::vector<std::string> ICalendarDescriptions(const TaskList& tasks, const DescriptionOptions& options,
                                               const NextRunContext& context);

// The calendar of `agenda` as this user's exports write it: made at `now`, a local wall-clock
// time, with the runs placed in the process's time zone and the tasks described as above.
void WriteLocalICalendar(const Agenda& agenda, const TaskList& tasks, const DateTime& now,
                         const DescriptionOptions& options, const NextRunContext& context, std::ostream& out);

}  // namespace tidewell
