#pragma once

#include <QDBusArgument>
#include <QDBusContext>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <vector>

#include "time/date_time.h"

namespace tidewell {

class CTidewellApp;

// One task as the bus lists it.
struct ControlTask {
    QString title;
    QString scheduleType;
    QString description;
    QString nextRun;
    QString lastRun;
    bool enabled = false;
};
// One coming run: its time and its task's title.
struct ControlRun {
    QString time;
    QString title;
};

// The running program on the session bus (data/org.tidewell.Tidewell.xml): scripts and
// tidewell-cli read its state and switch it. Every call is answered from the user-interface
// thread without a dialog; a wrong administrator password is answered after the program's
// growing delay by a timer, never by sleeping.
class ControlService final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tidewell.Tidewell")

public:
    explicit ControlService(CTidewellApp& app, QObject* parent = nullptr);
    // Gives the name and the object up, so that callers learn at once that no program answers.
    ~ControlService() override;
    // Takes the program's name on the session bus; false when another holds it or there is no bus.
    bool Register();

public slots:
    bool Status(uint& tasks, QString& nextRun, QString& nextTitle);
    QList<ControlTask> Tasks();
    QList<ControlRun> NextRuns();
    void RunNow(const QString& title, const QString& password);
    void Pause(const QString& password);
    void Resume(const QString& password);
    void Enable(const QString& title, const QString& password);
    void Disable(const QString& title, const QString& password);
    void Reload(const QString& password);
    QString Add(const QStringList& options, const QString& password);

signals:
    void TaskRan(const QString& title);
    void ListChanged();

private:
    // False when the caller gave a wrong password: the error reply is on its way.
    bool Admitted(const QString& password);
    // The one task `title` names; otherwise the error reply is sent.
    std::optional<std::size_t> OneTask(const QString& title);
    void SetScheduling(bool on, const QString& password);
    void SetEnabled(const QString& title, bool enabled, const QString& password);
    // A change the caller made is answered once it is on disk, or with the failure that kept it
    // off; the window goes on meanwhile. `answer` is the call's text, if it has one.
    void ReplyOnceWritten(const std::optional<QString>& answer = std::nullopt);
    void OnRowsChanged();

    CTidewellApp& m_app;
    bool m_registered = false;
    std::chrono::milliseconds m_failedDelay{0};
    std::vector<DateTime> m_lastRuns;  // of the list as last seen, to tell runs that happened
};

}  // namespace tidewell

Q_DECLARE_METATYPE(tidewell::ControlTask)
Q_DECLARE_METATYPE(tidewell::ControlRun)
QDBusArgument& operator<<(QDBusArgument& argument, const tidewell::ControlTask& task);
const QDBusArgument& operator>>(const QDBusArgument& argument, tidewell::ControlTask& task);
QDBusArgument& operator<<(QDBusArgument& argument, const tidewell::ControlRun& run);
const QDBusArgument& operator>>(const QDBusArgument& argument, tidewell::ControlRun& run);
