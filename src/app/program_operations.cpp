#include "app/program_operations.h"

#include <QLoggingCategory>

namespace tidewell {
namespace {

Q_LOGGING_CATEGORY(lcOperations, "tidewell.operations")

void NotInThisBuild(const char* operation) {
    qCInfo(lcOperations, "%s is not part of this build", operation);
}

}  // namespace

void ProgramOperations::RunTaskNow(TaskRecord& task) {
    if (m_runtime) m_runtime->RunTaskNow(task);
}
void ProgramOperations::AddTask(TaskList&) {
    NotInThisBuild("The Add Task wizard");
}
void ProgramOperations::EditTask(TaskList&, TaskRecord&) {
    NotInThisBuild("The Edit Task wizard");
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
