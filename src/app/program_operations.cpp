#include "app/program_operations.h"

#include <QLoggingCategory>

namespace tidewell {
namespace {

Q_LOGGING_CATEGORY(lcOperations, "tidewell.operations")

void NotInThisBuild(const char* operation) {
    qCInfo(lcOperations, "%s is not part of this build", operation);
}

}  // namespace

void ProgramOperations::RunTaskNow(TaskRecord&) {
    NotInThisBuild("Run Now");
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
    NotInThisBuild("View Log");
}
void ProgramOperations::StopCurrentSound() {
    NotInThisBuild("Stop Current Sound");
}
void ProgramOperations::ResetSoundPlayer() {}
void ProgramOperations::LogEvent(const TaskRecord*, EventKind) {}
void ProgramOperations::CheckDueTasks(TaskList&) {}
void ProgramOperations::CheckAtLogonJob(TaskList&) {}

}  // namespace tidewell
