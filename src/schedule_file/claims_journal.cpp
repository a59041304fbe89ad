#include "schedule_file/claims_journal.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>

#include "base/text_util.h"
#include "files/append_file.h"
#include "files/durable_file.h"
#include "files/whole_file.h"

namespace tidewell {
namespace {

// Cleared after every save that lands, the journal holds the claims of a few passes at most.
constexpr size_t kMaxJournalBytes = 4 * 1024 * 1024;
constexpr size_t kInstantLength = 19;  // "YYYY-MM-DD HH:MM:SS"
constexpr size_t kKeyLength = 16;

// A hash of the password and of what identifies the task: its title and what it does. Each field
// ends with a zero byte, so that no two lists of fields run together alike.
std::string KeyOf(const TaskRecord& task, const std::string& password) {
    const TaskInfo& info = task.taskInfo;
    const std::string fields[] = {password,
                                  task.title,
                                  std::to_string(static_cast<int32_t>(task.scheduleInfo.type)),
                                  std::to_string(static_cast<int32_t>(info.taskType)),
                                  info.programPath,
                                  info.parameter,
                                  info.macroPath,
                                  info.noticeMsg,
                                  std::to_string(static_cast<int32_t>(info.swoType))};
    uint64_t hash = Fnv1a({});
    for (const std::string& field : fields)
        hash = Fnv1a(std::string_view(field.c_str(), field.size() + 1), hash);
    return HexDigits(hash);
}

// The latest claimed run of each key.
std::map<std::string, DateTime> ReadClaims(const std::string& bytes) {
    std::map<std::string, DateTime> claims;
    for (const std::string& line : SplitLines(bytes)) {
        if (line.size() != kInstantLength + 1 + kKeyLength || line[kInstantLength] != ' ') continue;
        const DateTime instant = ParseDateTime(std::string_view(line).substr(0, kInstantLength));
        if (!instant.IsValid()) continue;
        DateTime& latest = claims[line.substr(kInstantLength + 1)];
        if (!latest.IsValid() || latest < instant) latest = instant;
    }
    return claims;
}

}  // namespace

Result AppendClaims(const std::string& scheduleFile, const TaskList& list, std::span<const size_t> claimed,
                    const std::string& password) {
    std::string lines;
    for (const size_t index : claimed) {
        const TaskRecord& task = list[index];
        lines += task.scheduleInfo.lastRunTime.Format(kStorageFormat) + ' ' + KeyOf(task, password) + "\r\n";
    }
    return AppendDurably(ClaimsJournalPath(scheduleFile), lines);
}

Result ApplyClaims(const std::string& scheduleFile, TaskList& list, const std::string& password,
                   int& applied) {
    applied = 0;
    std::string bytes;
    const Result read = ReadWholeFile(ClaimsJournalPath(scheduleFile), bytes, kMaxJournalBytes);
    if (read.kind() == ErrorKind::notFound) return Result::Ok();
    if (!read.ok()) return read;
    const std::map<std::string, DateTime> claims = ReadClaims(bytes);
    for (TaskRecord& task : list) {
        const auto claim = claims.find(KeyOf(task, password));
        if (claim == claims.end()) continue;
        ScheduleInfo& schedule = task.scheduleInfo;
        if (schedule.haveLastRunTime && schedule.lastRunTime >= claim->second) continue;
        schedule.haveLastRunTime = true;
        schedule.lastRunTime = claim->second;
        ++applied;
    }
    return Result::Ok();
}

Result ClearClaims(const std::string& scheduleFile) {
    const std::string path = ClaimsJournalPath(scheduleFile);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
        return Result::Fail(ErrorKind::io, CannotWriteFileMessage(path));
    }
    return Result::Ok();
}

}  // namespace tidewell
