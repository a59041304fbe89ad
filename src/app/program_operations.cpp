#include "app/program_operations.h"

#include <QLoggingCategory>

#include "app/task_editing.h"
#include "app/tidewell_app.h"

namespace tidewell {
namespace {

Q_LOGGING_CATEGORY(lcOperations, "tidewell.operations")

void NotInThisBuild(const char* operation) {
    qCInfo(lcOperations, "%s is not part of this build", operation);
}

}  // namespace

ProgramOperations::ProgramOperations(CTidewellApp& app)
    : m_app(app), m_editing(std::make_unique<TaskEditing>(app)) {}
ProgramOperations::~ProgramOperations() = default;

void ProgramOperations::RunTaskNow(TaskRecord&) {
    NotInThisBuild("Run Now");
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
bool ProgramOperations::EditClockSyncSchedule() {
    return m_editing->EditClockSyncSchedule();
}
void ProgramOperations::Find(TaskList&) {
    NotInThisBuild("Find");
}
void ProgramOperations::FindNext(TaskList&) {
    NotInThisBuild("Find Next");
}
void ProgramOperations::Options() {
    NotInThisBuild("Options");
}
void ProgramOperations::ClockSynchronization() {
    NotInThisBuild("Clock Synchronization");
}
void ProgramOperations::QuickView(TaskList&) {
    NotInThisBuild("Quick View");
}
void ProgramOperations::Statistics(const TaskList&) {
    NotInThisBuild("Statistics");
}
void ProgramOperations::ViewLog() {
    NotInThisBuild("View Log");
}
void ProgramOperations::StopCurrentSound() {
    NotInThisBuild("Stop Current Sound");
}
void ProgramOperations::ResetSoundPlayer() {}
void ProgramOperations::LogEvent(const TaskRecord* task, EventKind kind) {
    const EventLog log(m_app.GetLocations().LogDir(), m_app.GetClock());
    if (Result logged = log.LogEvent(task, kind, m_app.IsRunning()); !logged)
        qCWarning(lcOperations, "%s", logged.message().c_str());
}
void ProgramOperations::CheckDueTasks(TaskList&) {}
void ProgramOperations::CheckAtLogonJob(TaskList&) {}

}  // namespace tidewell
