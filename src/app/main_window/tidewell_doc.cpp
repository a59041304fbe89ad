#include "app/main_window/tidewell_doc.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>
#include <iterator>

#include "base/text_util.h"
#include "model/task_compare.h"
#include "schedule_file/claims_journal.h"
#include "text/messages.h"
#include "timing/count_down.h"

namespace tidewell {

CTidewellDoc::CTidewellDoc(ScheduleStoreContext context, std::string scheduleFile, QObject* parent)
    : QObject(parent),
      m_context(std::move(context)),
      m_scheduleFile(std::move(scheduleFile)),
      m_saver([this](uint64_t number, const Result& written) {
          // The saver's thread: the outcome is handled on the window's thread.
          QMetaObject::invokeMethod(
              this, [this, number, written] { Written(number, written); }, Qt::QueuedConnection);
      }) {}

void CTidewellDoc::SetScheduleFile(std::string path) {
    FinishSaves();        // the old file's lock is held until its last write
    m_lock = FileLock();  // the next load or save takes the new file's
    m_scheduleFile = std::move(path);
}

std::optional<CTidewellDoc::FileStamp> CTidewellDoc::StampOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return std::nullopt;
    return FileStamp{status.st_dev, status.st_ino, status.st_size,
                     status.st_ctim.tv_sec * 1000000000LL + status.st_ctim.tv_nsec};
}

std::string CTidewellDoc::InUseMessage() const {
    return ReplaceAll(ReplaceAll(LoadMessage(IDS_MESSAGE_SCHEDULE_FILE_IN_USE), "#1", m_scheduleFile), "#2",
                      ScheduleLockPath(m_scheduleFile));
}

bool CTidewellDoc::HoldFile() {
    if (m_lock.Held()) return true;
    m_lock = FileLock(ScheduleLockPath(m_scheduleFile), FileLock::Wait::no);
    if (!m_lock.Held()) return !m_lock.HeldElsewhere();  // no lock to be had: writes go on as ever
    if (StampOf(m_scheduleFile) == m_readStamp || m_fileLeft) return true;
    if (!IsModified()) {
        Load();
        return true;
    }
    // Both hold what the other does not: neither is lost without the user's choice.
    m_fileLeft = true;
    m_context.messageBox.ShowMessageBox(
        ReplaceAll(LoadMessage(IDS_MESSAGE_SCHEDULE_FILE_CHANGED_ELSEWHERE), "#1", m_scheduleFile),
        LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
    return true;
}

LoadReport CTidewellDoc::Load() {
    FinishSaves();
    // Read at once all the same: the list is never held back or emptied by another writer.
    if (!m_lock.Held()) m_lock = FileLock(ScheduleLockPath(m_scheduleFile), FileLock::Wait::no);
    if (FileInUseElsewhere())
        m_context.messageBox.ShowMessageBox(InUseMessage(), LoadMessage(IDS_KLN_ERROR),
                                            MB_OK | MB_ICONEXCLAMATION);
    m_readStamp = StampOf(m_scheduleFile);
    LoadReport report = LoadTaskList(m_scheduleFile, m_tasks, m_context);
    m_fileLeft = report.leaveFile;
    m_claimsJournaled = true;  // cleared by the first save, whatever it held
    m_tasks.SetModified(false);
    emit listReset();
    emit modifiedChanged(false);
    if (report.claimsApplied > 0) SaveFromPass();  // runs the last session started but did not save
    return report;
}

bool CTidewellDoc::Save() {
    if (m_fileLeft) {
        SetModified(true);  // kept for the moment the user chooses
        return false;
    }
    if (!HoldFile()) {
        SetModified(true);  // saved once the other program lets go
        m_context.messageBox.ShowMessageBox(InUseMessage(), LoadMessage(IDS_KLN_ERROR),
                                            MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (m_fileLeft || !WriteShown(m_tasks)) return false;  // the lock may find the file changed
    Saved();
    return true;
}

void CTidewellDoc::SaveFromPass() {
    if (!MayWrite()) return;
    m_lastQueued = m_saver.Queue([snapshot = TakeSnapshot(m_scheduleFile, m_tasks, m_context)]() mutable {
        return WriteSnapshot(snapshot);
    });
    // The snapshot holds every change; a write that fails marks the list again.
    SetModified(false);
}

void CTidewellDoc::SaveBeforeRuns(std::span<const size_t> claimed) {
    if (!MayWrite()) return;
    // Only the claims wait for the disk; the whole file follows with the pass's save.
    if (AppendClaims(m_scheduleFile, m_tasks, claimed, m_context.password).ok()) {
        m_claimsJournaled = true;
        m_claimsCoveredBy = m_lastQueued + 1;
        return;
    }
    // Without a journal the whole file holds the claims before the runs start: slower, but safe,
    // so the journal's failure is not told unless this one fails too.
    const Result saved = WriteNow(m_tasks);
    if (!saved.ok()) {
        SetModified(true);
        Failed(saved.message());
        return;
    }
    Saved();
}

bool CTidewellDoc::MayWrite() {
    if (!m_fileLeft && !HoldFile()) {
        SetModified(true);  // saved once the other program lets go
        Failed(InUseMessage());
        return false;
    }
    if (!m_fileLeft) return true;  // taking the lock may have found the file changed under the list
    SetModified(true);             // kept for the moment the user chooses
    return false;
}

void CTidewellDoc::Written(uint64_t number, const Result& written) {
    m_handledUpTo = std::max(m_handledUpTo, number);
    if (number <= m_settledUpTo) return;  // a later save has written the list since
    if (written.ok()) {
        Recovered();
        if (number >= m_claimsCoveredBy) ClaimsLanded();
        Settle(number, written);
        return;
    }
    Failed(written.message());
    // A newer snapshot under way holds the same changes and tells its own outcome.
    if (number < m_lastQueued) return;
    SetModified(true);
    Settle(number, written);
}

void CTidewellDoc::WhenWritten(std::function<void(const Result&)> done) {
    if (m_lastQueued > std::max(m_handledUpTo, m_settledUpTo)) {
        m_waiting.push_back({m_lastQueued, std::move(done)});
        return;
    }
    if (!IsModified()) {
        done(Result::Ok());
        return;
    }
    // Nothing under way, yet the list is not on disk: a failure kept it, or the file is left alone.
    done(Result::Fail(ErrorKind::io,
                      m_saveFailing ? m_failure : LoadMessage(IDS_MESSAGE_FILE_LEFT_UNTIL_USER_CHOOSES)));
}

void CTidewellDoc::Settle(uint64_t number, const Result& outcome) {
    const auto end = std::find_if(m_waiting.begin(), m_waiting.end(),
                                  [number](const Waiting& waiting) { return waiting.number > number; });
    std::vector<Waiting> settled(std::make_move_iterator(m_waiting.begin()), std::make_move_iterator(end));
    m_waiting.erase(m_waiting.begin(), end);
    for (Waiting& waiting : settled) waiting.done(outcome);
}

void CTidewellDoc::ClaimsLanded() {
    if (!m_claimsJournaled) return;
    const Result cleared = ClearClaims(m_scheduleFile);
    if (!cleared.ok()) {
        Failed(cleared.message());
        return;
    }
    m_claimsJournaled = false;
}

void CTidewellDoc::Failed(const std::string& message) {
    m_saveFailing = true;
    m_failure = message;
    emit saveFailing(message);
}

void CTidewellDoc::Recovered() {
    if (!m_saveFailing) return;
    m_saveFailing = false;
    emit saveRecovered();
}

void CTidewellDoc::FinishSaves() {
    m_saver.Finish();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

// A write on this thread holds the whole list: it settles every write queued before it.
void CTidewellDoc::Saved() {
    m_settledUpTo = m_lastQueued;
    SetModified(false);
    Recovered();
    ClaimsLanded();
    Settle(m_lastQueued, Result::Ok());
}

bool CTidewellDoc::ProtectWith(std::string password) {
    FinishSaves();
    const ScheduleStoreContext before = m_context;
    m_context.password = std::move(password);
    if (m_fileLeft) return true;  // not ours to rewrite; it stays as it is
    if (!IsModified()) return Save();
    if (!HoldFile()) return Save();  // refused, and said so
    if (m_fileLeft) return true;
    TaskList saved;
    LoadOptions options;
    options.keepDamagedAside = false;
    options.displayOrder = false;
    if (!LoadTaskList(m_scheduleFile, saved, before, options).loaded) return true;  // nothing on disk
    return WriteShown(saved);
}

// The list is lent to the snapshot rather than copied, which would double the wait: the write
// happens on this thread, and the records keep their addresses.
Result CTidewellDoc::WriteNow(TaskList& list) {
    return m_saver.WriteNow([&] {
        ScheduleSnapshot snapshot{m_scheduleFile, std::move(list), m_context.password, m_context.peEdition};
        Result written = WriteSnapshot(snapshot);
        list = std::move(snapshot.tasks);
        return written;
    });
}

bool CTidewellDoc::WriteShown(TaskList& list) {
    const Result written = WriteNow(list);
    if (written.ok()) return true;
    m_context.messageBox.ShowMessageBox(written.message(), LoadMessage(IDS_KLN_ERROR),
                                        MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CTidewellDoc::SetModified(bool modified) {
    if (m_tasks.IsModified() == modified) return;
    m_tasks.SetModified(modified);
    emit modifiedChanged(modified);
}

void CTidewellDoc::Changed(bool autoSave) {
    if (autoSave) {
        SaveFromPass();
    } else {
        SetModified(true);
    }
}

void CTidewellDoc::DeleteTask(size_t index, bool autoSave) {
    m_tasks.Remove(index);
    emit listReset();
    Changed(autoSave);
}

bool CTidewellDoc::ToggleEnabled(size_t index, bool autoSave) {
    TaskRecord& task = m_tasks[index];
    ToggleTaskEnabled(task, {m_context.clock, m_context.random});
    emit rowsChanged();
    Changed(autoSave);
    return task.enabled;
}

bool CTidewellDoc::PauseOrContinueCountDown(size_t index, bool& enable) {
    TaskRecord& task = m_tasks[index];
    if (!tidewell::PauseOrContinueCountDown(task, {m_context.clock, m_context.random})) return false;
    enable = task.scheduleInfo.countDownRunning && !task.enabled;
    emit rowsChanged();
    return true;
}

bool CTidewellDoc::ClearAndStopCountDown(size_t index, bool& enable) {
    TaskRecord& task = m_tasks[index];
    if (!tidewell::ClearAndStopCountDown(task, {m_context.clock, m_context.random})) return false;
    enable = !task.enabled;
    emit rowsChanged();
    return true;
}

size_t CTidewellDoc::AddTask(const TaskRecord& task, bool autoSave) {
    const size_t position = tidewell::AddTask(m_tasks, task, m_context);
    emit listReset();
    if (position < m_tasks.size()) Changed(autoSave);
    return position;
}

size_t CTidewellDoc::ReplaceTask(size_t index, const TaskRecord& edited, bool autoSave) {
    tidewell::CopyTask(m_tasks[index], edited);
    const size_t position = RefreshTaskThroughFile(m_tasks, index, m_context);
    emit listReset();
    Changed(autoSave);
    return position;
}

}  // namespace tidewell
