#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/background_writer.h"
#include "files/file_lock.h"
#include "model/task_list.h"
#include "schedule_file/schedule_store.h"

namespace tidewell {

// The task list of the program and its schedule file. Every change made by a command goes
// through here, so the file, the modified flag and the views stay in step.
//
// The window's thread only takes a snapshot of the list; the durable write happens on the
// saver's thread, one at a time, the latest snapshot winning. Saves the user asks for, and the
// save of a pass's claimed runs, wait for their write: the first to tell the outcome, the second
// because the runs may start only once their claims are on disk.
//
// While the file is open here the program holds its lock ("FILE.lock"), so that the command-line
// tool, which takes the same lock, cannot write under it. When another program holds the lock,
// the file is read all the same (every writer replaces it whole) and nothing is written until
// the lock is free; a file another program changed meanwhile is read again, or left alone when
// the list holds changes of its own.
class CTidewellDoc final : public QObject {
    Q_OBJECT

public:
    CTidewellDoc(ScheduleStoreContext context, std::string scheduleFile, QObject* parent = nullptr);

    TaskList& Tasks() { return m_tasks; }
    const TaskList& Tasks() const { return m_tasks; }
    const std::string& ScheduleFile() const { return m_scheduleFile; }
    // The user data directory changed: the list is read from and saved to this file from now on.
    void SetScheduleFile(std::string path);
    const ScheduleStoreContext& Context() const { return m_context; }
    // The administrator password protects the file from the next save on.
    void SetPassword(std::string password) { m_context.password = std::move(password); }
    // The administrator password changed: the file on disk is written again under the new one at
    // once, so it never stays readable only with the old one; unsaved changes stay unsaved.
    bool ProtectWith(std::string password);

    LoadReport Load();
    // True while this program may write the file: it holds the lock, taking it now when it is
    // free, or no lock can be had at all. Taking it late first catches up with the file.
    bool HoldFile();
    // Another program held the lock at the last attempt.
    bool FileInUseElsewhere() const { return m_lock.HeldElsewhere(); }
    // Saves the list and clears the modified flag; a failure has been shown to the user. While
    // the file is left alone (see IsFileLeft) nothing is written and the result is false.
    bool Save();
    // A save of a scheduling pass, written in the background: a failure is not shown here but
    // signalled (saveFailing) for the frame to report without stopping anything; the list is
    // marked modified again and the next save tries again.
    void SaveFromPass();
    // Makes the claims of the tasks at `claimed` durable before returning: in the journal of
    // claimed runs, which the next SaveFromPass follows, or with the whole file when the journal
    // cannot be written.
    void SaveBeforeRuns(std::span<const size_t> claimed);
    // Returns once every save under way has been written and its outcome handled.
    void FinishSaves();
    // Calls `done` on this thread once the changes made so far are on disk, or with the failure
    // that kept them from it; at once when no write is under way.
    void WhenWritten(std::function<void(const Result&)> done);
    // The last save failed and none has succeeded since.
    bool SaveFailing() const { return m_saveFailing; }
    // The file could not be read and no copy of it was kept: it is not saved over until the
    // user chooses to replace it.
    bool IsFileLeft() const { return m_fileLeft; }
    // The user chose to replace the file that could not be read: saves write it from now on.
    void ReplaceLeftFile() { m_fileLeft = false; }
    bool IsModified() const { return m_tasks.IsModified(); }
    void SetModified(bool modified);
    // After a change: saves in the background with AutoSave on, else marks the list modified.
    void Changed(bool autoSave);

    // The commands' changes of the task at `index` (a task, not a placeholder).
    void DeleteTask(size_t index, bool autoSave);
    // Inverts the enabled flag (pausing a running count-down that gets disabled first) and
    // computes the next run again. Returns the new flag.
    bool ToggleEnabled(size_t index, bool autoSave);
    // A count-down's running flag inverted; continuing counts the stored length from now.
    // False when the task is no count-down. `enable` is set when the task must be enabled.
    bool PauseOrContinueCountDown(size_t index, bool& enable);
    // Ends the count-down: no further run. False when the task is no count-down.
    bool ClearAndStopCountDown(size_t index, bool& enable);
    // Adds a task through the file; returns where it settled, or the list size when refused.
    size_t AddTask(const TaskRecord& task, bool autoSave);
    // The task at `index` becomes `edited` and the list goes through the file; returns where
    // the task settled, or the list size.
    size_t ReplaceTask(size_t index, const TaskRecord& edited, bool autoSave);

signals:
    // Rows came or went, or the list was replaced.
    void listReset();
    // Texts of rows changed.
    void rowsChanged();
    void modifiedChanged(bool modified);
    // A save of a pass failed with `message` (each failed attempt).
    void saveFailing(const std::string& message);
    // A save succeeded after failed ones.
    void saveRecovered();

private:
    void Saved();
    // Writes the list before returning; a failure has been shown.
    bool WriteShown(TaskList& list);
    Result WriteNow(TaskList& list);
    // Whether a pass may write: not while the file is left alone or its lock is held elsewhere
    // (that is signalled); the list stays modified.
    bool MayWrite();
    void Written(uint64_t number, const Result& written);
    // Tells the callers of WhenWritten waiting on writes up to `number` the outcome.
    void Settle(uint64_t number, const Result& outcome);
    // The file now holds every claim of the journal: it goes.
    void ClaimsLanded();
    void Failed(const std::string& message);
    void Recovered();
    std::string InUseMessage() const;

    // What tells one version of the file from another: every writer replaces it whole.
    struct FileStamp {
        unsigned long device = 0;
        unsigned long inode = 0;
        long long size = 0;
        long long changedNs = 0;
        bool operator==(const FileStamp&) const = default;
    };
    static std::optional<FileStamp> StampOf(const std::string& path);

    ScheduleStoreContext m_context;
    std::string m_scheduleFile;
    TaskList m_tasks;
    bool m_fileLeft = false;
    bool m_saveFailing = false;
    FileLock m_lock;
    std::optional<FileStamp> m_readStamp;  // the file as the list was last read from it
    uint64_t m_lastQueued = 0;
    // The journal of claimed runs may hold claims, all of them in snapshots from this number on.
    bool m_claimsJournaled = false;
    uint64_t m_claimsCoveredBy = 0;
    // Outcomes of background writes up to this number came after a newer write: they are old.
    uint64_t m_settledUpTo = 0;
    uint64_t m_handledUpTo = 0;  // the outcomes of background writes seen so far
    std::string m_failure;       // of the last failed save, while saves are failing
    struct Waiting {
        uint64_t number;  // the write that holds the caller's changes
        std::function<void(const Result&)> done;
    };
    std::vector<Waiting> m_waiting;  // by number
    // Last: its thread ends, writing what is queued, before the rest goes (and the lock with it).
    BackgroundWriter m_saver;
};

}  // namespace tidewell
