#include "app/unavailable_operations.h"

#include <QLoggingCategory>

namespace tidewell {
namespace {

Q_LOGGING_CATEGORY(lcOperations, "tidewell.operations")

void NotInThisBuild(const char* operation) {
    qCInfo(lcOperations, "%s is not part of this build", operation);
}

}  // namespace

void UnavailableOperations::RunTaskNow(TaskRecord&) {
    NotInThisBuild("Run Now");
}
void UnavailableOperations::AddTask(TaskList&) {
    NotInThisBuild("The Add Task wizard");
}
void UnavailableOperations::EditTask(TaskList&, TaskRecord&) {
    NotInThisBuild("The Edit Task wizard");
}
void UnavailableOperations::Find(TaskList&) {
    NotInThisBuild("Find");
}
void UnavailableOperations::FindNext(TaskList&) {
    NotInThisBuild("Find Next");
}
void UnavailableOperations::Options() {
    NotInThisBuild("Options");
}
void UnavailableOperations::ClockSynchronization() {
    NotInThisBuild("Clock Synchronization");
}
void UnavailableOperations::QuickView(TaskList&) {
    NotInThisBuild("Quick View");
}
void UnavailableOperations::Statistics(const TaskList&) {
    NotInThisBuild("Statistics");
}
void UnavailableOperations::ViewLog() {
    NotInThisBuild("View Log");
}
void UnavailableOperations::StopCurrentSound() {
    NotInThisBuild("Stop Current Sound");
}
void UnavailableOperations::ResetSoundPlayer() {}
void UnavailableOperations::LogEvent(const TaskRecord*, EventKind) {}
void UnavailableOperations::CheckDueTasks(TaskList&) {}
void UnavailableOperations::CheckAtLogonJob(TaskList&) {}

}  // namespace tidewell
