#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/result.h"
#include "model/task_record.h"
#include "platform/launcher.h"
#include "time/clock.h"
#include "ui_ports/message_box.h"

namespace tidewell {

inline constexpr std::string_view kEventLogFileName = "schdlog.txt";

// What an event-log line records; the values are those the program has always used.
enum class EventKind : int32_t {
    taskAdded = 1,
    taskModified = 2,
    taskDeleted = 3,
    taskRun = 4,
    taskEnabledOrDisabled = 5,  // the text follows the task's Enabled after the change
    schedulingSwitched = 6,     // the text follows the scheduling state after the change
    passwordChanged = 7,
    taskNotRun = 8,  // a due or requested run whose action could not start
};

// The event text in the current language, "#1" filled with the task's title; empty for a kind
// outside 1..8 and for a task event without a task. `schedulingOn` is read for kind 6 only.
std::string EventText(const TaskRecord* task, EventKind kind, bool schedulingOn);

// The event log file "schdlog.txt" in the program data directory's log folder.
class EventLog {
public:
    EventLog(std::string logFolder, const Clock& clock);

    const std::string& Path() const { return m_path; }

    // Appends "time TAB event text" for the event; nothing for a kind without a text.
    // `schedulingOn` is the scheduling state after the change, read for schedulingSwitched only.
    Result LogEvent(const TaskRecord* task, EventKind kind, bool schedulingOn = false) const;

    // The View Log command: opens the log with the desktop's opener, or says that no log has been
    // recorded. A failing opener's message is shown too.
    void ViewLog(Launcher& launcher, MessageBoxService& messageBox) const;

private:
    std::string m_path;
    const Clock& m_clock;
};

}  // namespace tidewell
