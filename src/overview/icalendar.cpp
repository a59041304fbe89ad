#include "overview/icalendar.h"

#include <cstdio>
#include <unordered_map>

#include "base/text_util.h"

namespace tidewell {
namespace {

constexpr std::size_t kLineOctets = 75;
constexpr const char* kLineEnd = "\r\n";
constexpr const char* kProductId = "-//Verimont//Tidewell//EN";
constexpr const char* kUidDomain = "@tidewell.invalid";

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void WriteLine(std::ostream& out, std::string_view name, std::string_view value) {
    std::string line(name);
    line += ':';
    line += value;
    out << FoldICalendarLine(line);
}

}  // namespace

std::string EscapeICalendarText(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ',' || c == ';') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            escaped += "\\n";
        } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t') {
            // Other control characters are not allowed in a TEXT value.
            continue;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

std::string FoldICalendarLine(std::string_view line) {
    std::string folded;
    folded.reserve(line.size() + line.size() / 64 * 3 + 2);
    std::size_t limit = kLineOctets;  // the first piece has no leading blank
    while (line.size() > limit) {
        std::size_t cut = limit;
        while (cut > 0 && IsContinuationByte(line[cut])) --cut;
        folded.append(line.substr(0, cut));
        folded += kLineEnd;
        folded += ' ';
        line.remove_prefix(cut);
        limit = kLineOctets - 1;
    }
    folded.append(line);
    folded += kLineEnd;
    return folded;
}

std::string ICalendarUtcText(int64_t unixSeconds) {
    int64_t days = unixSeconds / 86400;
    int64_t seconds = unixSeconds % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    // Howard Hinnant's civil_from_days.
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(z - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = static_cast<int64_t>(yearOfEra) + era * 400 + (month <= 2);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld%02u%02uT%02d%02d%02dZ", static_cast<long long>(year), month, day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}

std::string RunUid(const TaskRecord& task, const DateTime& run) {
    uint64_t hash = Fnv1a(task.title);
    hash = Fnv1a("\x1f", hash);
    hash = Fnv1a(std::to_string(static_cast<int>(task.scheduleInfo.type)), hash);
    return HexDigits(hash) + '-' + run.Format("%Y%m%dT%H%M%S") + kUidDomain;
}

void WriteICalendar(const Agenda& agenda, const TaskList& tasks, const ICalendarExport& context,
                    std::ostream& out) {
    out << "BEGIN:VCALENDAR" << kLineEnd << "VERSION:2.0" << kLineEnd;
    WriteLine(out, "PRODID", kProductId);
    out << "CALSCALE:GREGORIAN" << kLineEnd;
    const std::string stamp = ICalendarUtcText(context.stampUtc);
    // Two tasks of the same title and type may run at the same instant: later ones get a suffix.
    std::unordered_map<std::string, int> seen;
    // A task's summary and description lines are the same for each of its runs: made once.
    std::vector<std::string> taskLines(tasks.size());
    for (const AgendaRun& run : agenda.runs) {
        std::optional<int64_t> start = context.toUtc(run.time);
        if (!start) continue;
        const TaskRecord& task = tasks[run.task];
        std::string uid = RunUid(task, run.time);
        if (int repeat = seen[uid]++; repeat > 0) uid.insert(uid.find('@'), "-" + std::to_string(repeat + 1));
        out << "BEGIN:VEVENT" << kLineEnd;
        WriteLine(out, "UID", uid);
        WriteLine(out, "DTSTAMP", stamp);
        WriteLine(out, "DTSTART", ICalendarUtcText(*start));
        std::string& lines = taskLines[run.task];
        if (lines.empty()) {
            lines = FoldICalendarLine("SUMMARY:" + EscapeICalendarText(task.title));
            if (run.task < context.descriptions.size() && !context.descriptions[run.task].empty())
                lines +=
                    FoldICalendarLine("DESCRIPTION:" + EscapeICalendarText(context.descriptions[run.task]));
        }
        out << lines;
        out << "END:VEVENT" << kLineEnd;
    }
    out << "END:VCALENDAR" << kLineEnd;
}

}  // namespace tidewell
