#include "app/program/program_operations.h"

#include "app/dialogs/find_dialog.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/quick_view_window.h"
#include "app/dialogs/task_finder.h"
#include "app/main_window/main_frame.h"
#include "app/main_window/task_list_model.h"
#include "app/main_window/tidewell_view.h"
#include "app/program/tidewell_app.h"
#include "app/task_sheet/task_editing.h"
#include "overview/schedule_statistics.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell {

ProgramOperations::ProgramOperations(CTidewellApp& app)
    : m_app(app), m_editing(std::make_unique<TaskEditing>(app, m_audio)) {
    m_editClockSyncSchedule = [this](TaskRecord&, QWidget*) { return EditClockSyncSchedule(); };
}

ProgramOperations::~ProgramOperations() = default;

void ProgramOperations::StartRuntime(CTidewellDoc& doc, CMainFrame& frame) {
    m_runtime = std::make_unique<ProgramRuntime>(m_app, doc, frame, m_audio);
}

bool ProgramOperations::RunTaskNow(TaskRecord& task) {
    return m_runtime && m_runtime->RunTaskNow(task);
}
void ProgramOperations::AddTask(TaskList&) {
    m_editing->AddTask();
}
void ProgramOperations::EditTask(TaskList& list, TaskRecord& task) {
    for (size_t index = 0; index < list.size(); ++index) {
        if (&list[index] == &task) {
            m_editing->EditTask(index);
            return;
        }
    }
}
void ProgramOperations::CopyTask(TaskList& list, TaskRecord& task) {
    for (size_t index = 0; index < list.size(); ++index) {
        if (&list[index] == &task) {
            m_editing->CopyTask(index);
            return;
        }
    }
}
bool ProgramOperations::EditClockSyncSchedule() {
    return m_editing->EditClockSyncSchedule();
}

TaskFinder* ProgramOperations::Finder(TaskList& list) {
    CMainFrame* frame = m_app.MainFrame();
    if (frame == nullptr) return nullptr;
    if (!m_finder) m_finder = std::make_unique<TaskFinder>(list, frame->View(), m_app.MessageBox());
    return m_finder.get();
}

void ProgramOperations::Find(TaskList& list) {
    TaskFinder* finder = Finder(list);
    if (finder == nullptr) return;
    FindDialog dialog(*finder, m_app.Settings(), m_app.MainFrame());
    dialog.exec();
}

void ProgramOperations::FindNext(TaskList& list) {
    if (TaskFinder* finder = Finder(list)) finder->FindNext();
}

void ProgramOperations::Options() {
    CMainFrame* frame = m_app.MainFrame();
    OptionsDialog dialog(m_app, frame);
    dialog.exec();
    // The descriptions follow the month settings.
    if (dialog.SummarySettingsChanged() && frame != nullptr) {
        frame->View().Model().SetDescriptionOptions(m_app.DescriptionStyle());
        frame->View().FillTRList(-1);
    }
}

void ProgramOperations::ClockSynchronization() {
    const ClockSyncPorts ports{m_network, m_clockSetter, m_app.GetClock(), m_timeZone};
    ClockSyncDialog dialog(m_app, ClockSyncConfig{}, ports, m_editClockSyncSchedule, m_app.MainFrame());
    dialog.exec();
}

void ProgramOperations::QuickView(TaskList&) {
    if (m_quickView == nullptr) {
        m_quickView = new QuickViewWindow(m_app, m_app.MainFrame());
        m_quickView->setAttribute(Qt::WA_DeleteOnClose);
        // It opens over the middle of the main window; later the user's placement holds.
        if (const QWidget* frame = m_app.MainFrame(); frame != nullptr && frame->isVisible()) {
            QRect placed = m_quickView->frameGeometry();
            placed.moveCenter(frame->frameGeometry().center());
            m_quickView->move(placed.topLeft());
        }
    }
    m_quickView->show();
    m_quickView->raise();
    m_quickView->activateWindow();
}

void ProgramOperations::Statistics(const TaskList& list) {
    m_app.MessageBox().ShowMessageBox(ScheduleStatistics(list),
                                      LoadMessage(IDS_TIDEWELL_VIEW_STATISTICS_TITLE),
                                      MB_OK | MB_ICONINFORMATION);
}

void ProgramOperations::ViewLog() {
    if (m_runtime) m_runtime->ViewLog();
}
void ProgramOperations::StopCurrentSound() {
    if (m_runtime) m_runtime->StopCurrentSound();
}
void ProgramOperations::ResetSoundPlayer() {
    if (m_runtime) m_runtime->FollowMute();
}
void ProgramOperations::LogEvent(const TaskRecord* task, EventKind kind) {
    if (m_runtime) m_runtime->LogEvent(task, kind);
}
void ProgramOperations::CheckDueTasks(TaskList&) {
    if (m_runtime) m_runtime->CheckDueTasks();
}
void ProgramOperations::CheckAtLogonJob(TaskList&) {
    if (m_runtime) m_runtime->CheckAtLogonJob();
}

}  // namespace tidewell
