#pragma once

#include <memory>

#include "app/task_sheet/options_sheet.h"
#include "runtime/event_log.h"

namespace tidewell {

class AudioPort;
class CTidewellApp;

// The Add, Copy, Edit and Automatic Clock Synchronization commands over the program's task list.
// A task added with Finish or edited with OK remembers its types (added only), gets its next
// run, is logged, joins the list through the schedule file's round trip, is saved at once
// with AutoSave, is selected, and may restart scheduling. Cancel changes nothing.
class TaskEditing {
public:
    // The program's own file dialogs; `audio` plays the sound page's Try.
    TaskEditing(CTidewellApp& app, AudioPort& audio);
    // Given ones; `runner` drives the sheets instead of running them modally.
    TaskEditing(CTidewellApp& app, AudioPort& audio, FileDialogs& fileDialogs, SheetRunner runner = {});
    ~TaskEditing();
    TaskEditing(const TaskEditing&) = delete;
    TaskEditing& operator=(const TaskEditing&) = delete;

    void AddTask();
    // The wizard, filled in with a copy of the task at `index`; Finish adds the copy.
    void CopyTask(size_t index);
    // The task at `index` of the list; the built-in clock synchronization task opens its own sheet.
    void EditTask(size_t index);
    // The schedule sheet of the built-in clock synchronization task; true when OK closed it.
    bool EditClockSyncSchedule();

private:
    struct Owned;
    int Run(int32_t captionId, TaskRecord& task);
    // A task came back from a sheet: it joins the list and is selected; `restartMessage` is
    // shown when scheduling restarts (empty: it does not restart).
    void Settle(size_t index, const TaskRecord& task, EventKind kind, const std::string& restartMessage);

    CTidewellApp& m_app;
    std::unique_ptr<Owned> m_owned;
    AudioPort& m_audio;
    FileDialogs& m_fileDialogs;
    SheetRunner m_runner;
};

}  // namespace tidewell
