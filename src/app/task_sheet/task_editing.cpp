#include "app/task_sheet/task_editing.h"

#include "app/dialogs/file_dialogs.h"
#include "app/main_window/frame_operations.h"
#include "app/main_window/main_frame.h"
#include "app/main_window/tidewell_doc.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "runtime/default_sound.h"
#include "runtime/sound_notice_player.h"
#include "text/messages.h"
#include "timing/next_run.h"
#include "timing/validation.h"

namespace tidewell {
namespace {

constexpr size_t kNewTask = static_cast<size_t>(-1);

// The sheet's sound tries have no tray animation.
class NoTrayNotice final : public TrayNoticeService {
public:
    void StartRunAnimation(const std::string&) override {}
    void NextRunAnimationFrame() override {}
    void EndRunAnimation() override {}
};

std::optional<size_t> ClockSyncIndex(const TaskList& tasks) {
    for (size_t index = 0; index < tasks.size(); ++index) {
        if (tasks[index].isClockSyncTask) return index;
    }
    return std::nullopt;
}

}  // namespace

struct TaskEditing::Owned {
    QtFileDialogs fileDialogs;
};

TaskEditing::TaskEditing(CTidewellApp& app, AudioPort& audio)
    : m_app(app), m_owned(std::make_unique<Owned>()), m_audio(audio), m_fileDialogs(m_owned->fileDialogs) {}

TaskEditing::TaskEditing(CTidewellApp& app, AudioPort& audio, FileDialogs& fileDialogs, SheetRunner runner)
    : m_app(app), m_audio(audio), m_fileDialogs(fileDialogs), m_runner(std::move(runner)) {}

TaskEditing::~TaskEditing() = default;

int TaskEditing::Run(int32_t captionId, TaskRecord& task) {
    const ScheduleStoreContext& store = m_app.Document()->Context();
    NoTrayNotice tray;
    // A player of the sheet's own: it reads the mute switch as it stands now.
    SoundNoticePlayer player(m_audio, tray, m_app.Settings());
    SheetContext context{m_app.Settings(),
                         m_app.MessageBox(),
                         m_app.GetClock(),
                         store.random,
                         m_fileDialogs,
                         player,
                         MediaFolders(m_app.GetLocations()),
                         {m_app.YearlySummaryUseRange(), m_app.YearlySummaryMonthFormat()},
                         store.peEdition,
                         store.macroChecking};
    COptionsSheet sheet(captionId, task, context, m_app.MainFrame());
    return RunSheet(sheet, m_runner);
}

void TaskEditing::AddTask() {
    CTidewellDoc* doc = m_app.Document();
    if (doc == nullptr) return;
    TaskRecord task;
    ResetToDefaults(task, {m_app.Settings(), m_app.GetClock(), doc->Context().peEdition});
    task.randomizationInfo.finalTime = DateTime();
    if (Run(IDS_TIDEWELL_OPTIONS_TITLE_ADD_TASK, task) != QDialog::Accepted) return;
    if (!RememberLastTypes(task, m_app.Settings())) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
    Settle(kNewTask, task, EventKind::taskAdded,
           LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEW_TASK, m_app.ProductName()));
}

void TaskEditing::CopyTask(size_t index) {
    CTidewellDoc* doc = m_app.Document();
    if (doc == nullptr || index >= doc->Tasks().size() || IsPlaceholderTask(doc->Tasks()[index])) return;
    TaskRecord copy;
    tidewell::CopyTask(copy, doc->Tasks()[index]);
    copy.isClockSyncTask = false;  // the built-in task stays the only one
    if (Run(IDS_TIDEWELL_OPTIONS_TITLE_ADD_TASK, copy) != QDialog::Accepted) return;
    if (!RememberLastTypes(copy, m_app.Settings())) {
        // Not stored: the store has told the user once, and the choice holds in memory until exit.
    }
    Settle(kNewTask, copy, EventKind::taskAdded,
           LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEW_TASK, m_app.ProductName()));
}

void TaskEditing::EditTask(size_t index) {
    CTidewellDoc* doc = m_app.Document();
    if (doc == nullptr || index >= doc->Tasks().size() || IsPlaceholderTask(doc->Tasks()[index])) return;
    if (doc->Tasks()[index].isClockSyncTask) {
        EditClockSyncSchedule();
        return;
    }
    TaskRecord copy;
    tidewell::CopyTask(copy, doc->Tasks()[index]);
    if (Run(IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK, copy) != QDialog::Accepted) return;
    if (index >= doc->Tasks().size()) return;
    const bool newlyEnabled = !doc->Tasks()[index].enabled && copy.enabled;
    Settle(index, copy, EventKind::taskModified,
           newlyEnabled ? LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEWLY_ENABLED_TASK)
                        : LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEW_TASK, m_app.ProductName()));
}

bool TaskEditing::EditClockSyncSchedule() {
    CTidewellDoc* doc = m_app.Document();
    if (doc == nullptr) return false;
    const std::optional<size_t> index = ClockSyncIndex(doc->Tasks());
    if (!index) return false;
    TaskRecord copy;
    tidewell::CopyTask(copy, doc->Tasks()[*index]);
    if (Run(IDS_DIALOG_TCS_AUTOMATIC_CLOCK_SYNCHRONIZATION, copy) != QDialog::Accepted) return false;
    if (*index >= doc->Tasks().size()) return false;
    Settle(*index, copy, EventKind::taskModified, {});
    return true;
}

void TaskEditing::Settle(size_t index, const TaskRecord& edited, EventKind kind,
                         const std::string& restartMessage) {
    CTidewellDoc& doc = *m_app.Document();
    TaskRecord task = edited;
    // As the file will keep it, so that the task is found again after the round trip.
    NormalizeTask(task);
    if (index != kNewTask) {
        // A run while the sheet was open is not undone by the edit.
        const ScheduleInfo& live = doc.Tasks()[index].scheduleInfo;
        task.scheduleInfo.haveLastRunTime = live.haveLastRunTime;
        task.scheduleInfo.lastRunTime = live.lastRunTime;
    }
    GetNextRunString(task, {m_app.GetClock(), doc.Context().random});
    m_app.Operations().LogEvent(&task, kind);
    const size_t position = index == kNewTask ? doc.AddTask(task, m_app.AutoSave())
                                              : doc.ReplaceTask(index, task, m_app.AutoSave());
    CMainFrame* frame = m_app.MainFrame();
    if (frame == nullptr) return;
    if (position < doc.Tasks().size()) frame->View().SelectIndex(position);
    if (!restartMessage.empty()) frame->AutoRestartScheduling(restartMessage);
    frame->UpdateCommandStates();
}

}  // namespace tidewell
