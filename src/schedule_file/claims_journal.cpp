#include "schedule_file/claims_journal.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
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

// FNV-1a over the password and what identifies the task: its title and what it does.
class TaskKey {
public:
    void Add(std::string_view text) {
        for (const char c : text) Mix(static_cast<unsigned char>(c));
        Mix(0);
    }
    void Add(int32_t value) { Add(std::to_string(value)); }
    uint64_t Value() const { return m_hash; }

private:
    void Mix(unsigned char byte) {
        m_hash ^= byte;
        m_hash *= 0x100000001b3ULL;
    }
    uint64_t m_hash = 0xcbf29ce484222325ULL;
};

std::string KeyOf(const TaskRecord& task, const std::string& password) {
    const TaskInfo& info = task.taskInfo;
    TaskKey key;
    key.Add(password);
    key.Add(task.title);
    key.Add(static_cast<int32_t>(task.scheduleInfo.type));
    key.Add(static_cast<int32_t>(info.taskType));
    key.Add(info.programPath);
    key.Add(info.parameter);
    key.Add(info.macroPath);
    key.Add(info.noticeMsg);
    key.Add(static_cast<int32_t>(info.swoType));
    char text[kKeyLength + 1] = {};
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(key.Value()));
    return text;
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
