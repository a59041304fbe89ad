#include "app/program/control_service.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QTimer>
#include <algorithm>

#include "app/main_window/frame_operations.h"
#include "app/main_window/tidewell_doc.h"
#include "app/program/tidewell_app.h"
#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "config/admin_password.h"
#include "crypto/password_encoding.h"
#include "model/task_defaults.h"
#include "overview/description.h"
#include "overview/task_lookup.h"
#include "overview/task_options.h"
#include "platform/control_bus.h"
#include "text/messages.h"
#include "timing/run_text.h"
#include "timing/schedule_type_name.h"
#include "timing/standard_random.h"
#include "timing/validation.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

// Times as scripts read them back: the storage form, or "Never".
QString RunText(bool have, const DateTime& instant) {
    return ToQString(have ? instant.Format(kStorageFormat) : NeverText());
}

// The task's description as the summary page and "tidewell-cli describe" give it.
QString DescriptionOf(TaskRecord task, const DescriptionOptions& options, const Clock& clock) {
    StandardRandomSource random;
    TaskDescription description = DescribeTask(task, options, NextRunContext{clock, random});
    return ToQString(description.task + description.sound + description.schedule + description.randomization +
                     description.waiting);
}

std::string Titles(const TaskList& tasks, const std::vector<std::size_t>& indices) {
    std::string titles;
    for (std::size_t index : indices) titles += (titles.empty() ? "" : ", ") + tasks[index].title;
    return titles;
}

}  // namespace

ControlService::ControlService(CTidewellApp& app, QObject* parent) : QObject(parent), m_app(app) {
    qDBusRegisterMetaType<ControlTask>();
    qDBusRegisterMetaType<QList<ControlTask>>();
    qDBusRegisterMetaType<ControlRun>();
    qDBusRegisterMetaType<QList<ControlRun>>();
    CTidewellDoc& doc = *m_app.Document();
    connect(&doc, &CTidewellDoc::listReset, this, [this] {
        m_lastRuns.clear();
        OnRowsChanged();
    });
    connect(&doc, &CTidewellDoc::rowsChanged, this, &ControlService::OnRowsChanged);
    OnRowsChanged();
}

ControlService::~ControlService() {
    if (!m_registered) return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(kControlBusName);
    bus.unregisterObject(kControlObjectPath);
}

bool ControlService::Register() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    if (!bus.registerObject(kControlObjectPath, this,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals))
        return false;
    m_registered = true;
    return bus.registerService(kControlBusName);
}

bool ControlService::Status(uint& tasks, QString& nextRun, QString& nextTitle) {
    const TaskList& list = m_app.Document()->Tasks();
    tasks = 0;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (!IsPlaceholderTask(list[i])) ++tasks;
    std::optional<std::size_t> next = NextDueTask(list);
    nextRun = next ? RunText(true, list[*next].scheduleInfo.nextRunTime) : ToQString(NeverText());
    nextTitle = next ? ToQString(list[*next].title) : QString();
    return m_app.IsRunning();
}

QList<ControlTask> ControlService::Tasks() {
    const TaskList& list = m_app.Document()->Tasks();
    const DescriptionOptions style = m_app.DescriptionStyle();
    QList<ControlTask> tasks;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TaskRecord& task = list[i];
        if (IsPlaceholderTask(task)) continue;
        const ScheduleInfo& schedule = task.scheduleInfo;
        tasks.append(
            {ToQString(task.title), ToQString(ScheduleTypeName(schedule.type)),
             DescriptionOf(task, style, m_app.GetClock()),
             RunText(task.enabled && schedule.haveNextRunTime && schedule.type != ScheduleType::atLogon,
                     schedule.nextRunTime),
             RunText(schedule.haveLastRunTime, schedule.lastRunTime), task.enabled});
    }
    return tasks;
}

QList<ControlRun> ControlService::NextRuns() {
    const TaskList& list = m_app.Document()->Tasks();
    std::vector<std::size_t> due;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const TaskRecord& task = list[i];
        if (!IsPlaceholderTask(task) && task.enabled && task.scheduleInfo.haveNextRunTime &&
            task.scheduleInfo.type != ScheduleType::atLogon)
            due.push_back(i);
    }
    std::stable_sort(due.begin(), due.end(), [&](std::size_t a, std::size_t b) {
        return list[a].scheduleInfo.nextRunTime < list[b].scheduleInfo.nextRunTime;
    });
    QList<ControlRun> runs;
    for (std::size_t i : due)
        runs.append({RunText(true, list[i].scheduleInfo.nextRunTime), ToQString(list[i].title)});
    return runs;
}

void ControlService::RunNow(const QString& title, const QString& password) {
    const MessageBoxService::CallbackScope busCall(m_app.MessageBox());
    if (!Admitted(password)) return;
    std::optional<std::size_t> index = OneTask(title);
    if (!index) return;
    TaskRecord& task = m_app.Document()->Tasks()[*index];
    // Only a run that started is reported as one; the program has shown why it did not.
    if (!m_app.Operations().RunTaskNow(task)) {
        sendErrorReply(kControlErrorRefused,
                       ToQString(ReplaceAll(LoadMessage(IDS_TIDEWELL_LOG_NOT_RUN), "#1", task.title)));
        return;
    }
    emit TaskRan(ToQString(task.title));
}

void ControlService::Pause(const QString& password) {
    SetScheduling(false, password);
}
void ControlService::Resume(const QString& password) {
    SetScheduling(true, password);
}
void ControlService::Enable(const QString& title, const QString& password) {
    SetEnabled(title, true, password);
}
void ControlService::Disable(const QString& title, const QString& password) {
    SetEnabled(title, false, password);
}

void ControlService::Reload(const QString& password) {
    const MessageBoxService::CallbackScope busCall(m_app.MessageBox());
    if (!Admitted(password)) return;
    CTidewellDoc& doc = *m_app.Document();
    // Changes not yet saved are not thrown away by a script.
    if (doc.IsModified()) {
        sendErrorReply(kControlErrorRefused, ToQString(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_SAVE)));
        return;
    }
    LoadReport report = doc.Load();
    if (!report.failure.ok()) sendErrorReply(kControlErrorRefused, ToQString(report.failure.message()));
}

QString ControlService::Add(const QStringList& options, const QString& password) {
    const MessageBoxService::CallbackScope busCall(m_app.MessageBox());
    if (!Admitted(password)) return {};
    std::vector<std::string> arguments;
    for (const QString& option : options) arguments.push_back(ToStdString(option));
    AddOptions parsed;
    Result read = ParseAddOptions(arguments, parsed);
    // The program writes its own file, and the password came apart from the options.
    if (read && (!parsed.file.empty() || !parsed.password.empty()))
        read = Result::Fail(ErrorKind::invalid,
                            ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1",
                                       parsed.file.empty() ? "--password" : "--file"));
    if (!read) {
        sendErrorReply(kControlErrorRefused, ToQString(read.message()));
        return {};
    }
    const Clock& clock = m_app.GetClock();
    TaskRecord task;
    ResetToDefaults(task, TaskDefaultsContext{m_app.Settings(), clock});
    ApplyAddOptions(parsed, clock.Now(), task);
    ValidationResult checked = ValidateTask(task, ValidationOptions{});
    if (!checked.keep) {
        sendErrorReply(kControlErrorRefused, ToQString(ReplaceAll(checked.message, "\r\n", "\n")));
        return {};
    }
    CTidewellDoc& doc = *m_app.Document();
    const std::size_t at = doc.AddTask(task, m_app.AutoSave());
    if (at >= doc.Tasks().size()) {
        sendErrorReply(kControlErrorRefused,
                       ToQString(ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_NO_ANSWER), "#1", "Add")));
        return {};
    }
    const TaskRecord& added = doc.Tasks()[at];
    m_app.Operations().LogEvent(&added, EventKind::taskAdded);
    std::string line = ReplaceAll(LoadMessage(IDS_TIDEWELL_CLI_ADDED), "#1", added.title);
    const QString text = ToQString(ReplaceAll(std::move(line), "#2", NextRunColumnText(clock.Now(), added)));
    ReplyOnceWritten(text);
    return text;
}

void ControlService::SetScheduling(bool on, const QString& password) {
    const MessageBoxService::CallbackScope busCall(m_app.MessageBox());
    if (!Admitted(password)) return;
    if (m_app.IsRunning() != on) m_app.ToggleScheduling(true);
}

void ControlService::SetEnabled(const QString& title, bool enabled, const QString& password) {
    const MessageBoxService::CallbackScope busCall(m_app.MessageBox());
    if (!Admitted(password)) return;
    std::optional<std::size_t> index = OneTask(title);
    if (!index) return;
    CTidewellDoc& doc = *m_app.Document();
    if (doc.Tasks()[*index].enabled == enabled) return;
    doc.ToggleEnabled(*index, m_app.AutoSave());
    m_app.Operations().LogEvent(&doc.Tasks()[*index], EventKind::taskEnabledOrDisabled);
    ReplyOnceWritten();
}

void ControlService::ReplyOnceWritten(const std::optional<QString>& answer) {
    if (!m_app.AutoSave()) return;  // the change waits for the user's Save, as the window's do
    setDelayedReply(true);
    const QDBusMessage call = message();
    const QDBusMessage reply = answer ? call.createReply(*answer) : call.createReply();
    m_app.Document()->WhenWritten([call, reply](const Result& written) {
        QDBusConnection::sessionBus().send(
            written.ok() ? reply : call.createErrorReply(kControlErrorRefused, ToQString(written.message())));
    });
}

bool ControlService::Admitted(const QString& password) {
    AdminPassword& admin = m_app.Password();
    if (!admin.IsSet() || NormalizePassword(ToStdString(password)) == admin.Password()) return true;
    // The program's delay, growing with every wrong entry, without holding the interface up.
    m_failedDelay += kFailedAttemptDelayStep;
    setDelayedReply(true);
    QDBusMessage reply = message().createErrorReply(
        kControlErrorPassword, ToQString(LoadMessage(IDS_ERROR_SECURITY_INVALID_PASSWORD)));
    QTimer::singleShot(m_failedDelay, this, [reply] { QDBusConnection::sessionBus().send(reply); });
    return false;
}

std::optional<std::size_t> ControlService::OneTask(const QString& title) {
    const TaskList& list = m_app.Document()->Tasks();
    const std::string wanted = ToStdString(title);
    TitleMatches matches = MatchTitle(list, wanted);
    if (matches.exact.size() == 1) return matches.exact.front();
    const bool several = matches.exact.size() > 1;
    std::string text =
        LoadMessage(several ? IDS_TIDEWELL_CLI_SEVERAL_TASKS_MATCH : IDS_TIDEWELL_CLI_NO_TASK_MATCHES);
    text = ReplaceAll(ReplaceAll(std::move(text), "#1", wanted), "#2",
                      Titles(list, several ? matches.exact : matches.similar));
    sendErrorReply(several ? kControlErrorAmbiguous : kControlErrorNoMatch, ToQString(text));
    return std::nullopt;
}

void ControlService::OnRowsChanged() {
    const TaskList& list = m_app.Document()->Tasks();
    std::vector<DateTime> lastRuns;
    lastRuns.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ScheduleInfo& schedule = list[i].scheduleInfo;
        lastRuns.push_back(schedule.haveLastRunTime ? schedule.lastRunTime : DateTime::Null());
        // A later last run than before: the task ran.
        if (i < m_lastRuns.size() && schedule.haveLastRunTime && lastRuns[i] != m_lastRuns[i])
            emit TaskRan(ToQString(list[i].title));
    }
    m_lastRuns = std::move(lastRuns);
    emit ListChanged();
}

}  // namespace tidewell

QDBusArgument& operator<<(QDBusArgument& argument, const tidewell::ControlTask& task) {
    argument.beginStructure();
    argument << task.title << task.scheduleType << task.description << task.nextRun << task.lastRun
             << task.enabled;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, tidewell::ControlTask& task) {
    argument.beginStructure();
    argument >> task.title >> task.scheduleType >> task.description >> task.nextRun >> task.lastRun >>
        task.enabled;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const tidewell::ControlRun& run) {
    argument.beginStructure();
    argument << run.time << run.title;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, tidewell::ControlRun& run) {
    argument.beginStructure();
    argument >> run.time >> run.title;
    argument.endStructure();
    return argument;
}
