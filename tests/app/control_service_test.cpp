#include <stdlib.h>

#include <cerrno>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QLabel>

#include <future>
#include <sstream>

#include "app/program/control_service.h"
#include "app_fixture.h"
#include "cli/cli.h"
#include "cli/console_message_box.h"
#include "cli/schedule_view.h"
#include "platform/control_bus.h"
#include "support/injected_file_faults.h"
#include "support/private_bus.h"

namespace tidewell::testing {
namespace {

struct Answer {
    int status;
    std::string out;
    std::string err;
};

// The real program on a private session bus, driven by the real tool. Qt keeps one session-bus
// connection per process, so one bus serves the whole test.
class ControlServiceTest : public AppFixture {
protected:
    ControlServiceTest() {
        setenv("DBUS_SESSION_BUS_ADDRESS", m_bus.Address().c_str(), 1);
        m_sessionBus = true;
    }
    ~ControlServiceTest() override { unsetenv("DBUS_SESSION_BUS_ADDRESS"); }

    // The tool runs beside the program's event loop, which answers it.
    static Answer Cli(std::vector<std::string> arguments) {
        std::future<Answer> answer = std::async(std::launch::async, [arguments] {
            std::ostringstream out;
            std::ostringstream err;
            const int status = cli::Run(arguments, out, err);
            return Answer{status, out.str(), err.str()};
        });
        const bool answered = QTest::qWaitFor(
            [&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 20000);
        EXPECT_TRUE(answered);
        return answer.get();
    }

    PrivateBus m_bus;
};

TEST_F(ControlServiceTest, EveryVerbAgainstTheRunningProgram) {
    InstallExampleSchedule();
    SetAdminPassword("secret");
    m_passwordPrompt.Enter("secret");  // an interactive start asks for it
    auto app = Start();
    ASSERT_NE(app, nullptr);

    Answer status = Cli({"status"});
    ASSERT_EQ(status.status, cli::kExitOk) << status.err;
    EXPECT_EQ(status.out.rfind(
                  "Scheduling on; 9 task(s); next run: 2026-12-07 12:20:00 (Look away from the screen)", 0),
              0u)
        << status.out;

    // Changing verbs need the administrator password; a wrong one is refused in the program's words.
    Answer wrong = Cli({"pause", "--password", "guess"});
    EXPECT_EQ(wrong.status, cli::kExitFailure);
    EXPECT_EQ(wrong.err, "The password is invalid.\n");
    EXPECT_TRUE(app->IsRunning());
    EXPECT_EQ(Cli({"pause", "--password", "secret"}).status, cli::kExitOk);
    EXPECT_FALSE(app->IsRunning());
    EXPECT_EQ(Cli({"status", "--json"}).out.rfind("{\"scheduling\": false, \"tasks\": 9, ", 0), 0u);
    EXPECT_EQ(Cli({"resume", "--password", "secret"}).status, cli::kExitOk);
    EXPECT_TRUE(app->IsRunning());

    const std::size_t dentist = RowTitled(*app, "Dentist");
    ASSERT_LT(dentist, app->Document()->Tasks().size());
    EXPECT_EQ(Cli({"disable", "Dentist", "--password", "secret"}).out, "disable \"Dentist\": done.\n");
    EXPECT_FALSE(app->Document()->Tasks()[RowTitled(*app, "Dentist")].enabled);
    EXPECT_EQ(Cli({"enable", "Dentist", "--password", "secret"}).status, cli::kExitOk);
    EXPECT_TRUE(app->Document()->Tasks()[RowTitled(*app, "Dentist")].enabled);

    m_operations.calls.clear();
    EXPECT_EQ(Cli({"run-now", "Tea is ready", "--password", "secret"}).status, cli::kExitOk);
    EXPECT_EQ(std::count(m_operations.calls.begin(), m_operations.calls.end(), "RunTaskNow"), 1);

    Answer unknown = Cli({"run-now", "tea", "--password", "secret"});
    EXPECT_EQ(unknown.status, cli::kExitFailure);
    EXPECT_EQ(unknown.err, "No task is titled \"tea\". Similar titles: Team meeting, Tea is ready\n");
    const TaskRecord copy = app->Document()->Tasks()[RowTitled(*app, "Dentist")];
    app->Document()->AddTask(copy, false);
    Answer ambiguous = Cli({"enable", "Dentist", "--password", "secret"});
    EXPECT_EQ(ambiguous.status, cli::kExitFailure);
    EXPECT_EQ(ambiguous.err, "Several tasks are titled \"Dentist\": Dentist, Dentist\n");

    // Unsaved changes are not thrown away by a reload.
    EXPECT_EQ(Cli({"reload", "--password", "secret"}).status, cli::kExitFailure);
    app->Document()->Save();
    EXPECT_EQ(Cli({"reload", "--password", "secret"}).status, cli::kExitOk);
    // What a reload has to say is posted: the bus call never waits in a modal box.
    TaskRecord gone = app->Document()->Tasks()[RowTitled(*app, "Dentist")];
    gone.title = "Gone program";
    gone.taskInfo.taskType = TaskType::program;
    gone.taskInfo.programPath = m_home.File("no-such-program");
    app->Document()->AddTask(gone, false);
    app->Document()->Save();
    m_messageBox.Clear();
    EXPECT_EQ(Cli({"reload", "--password", "secret"}).status, cli::kExitOk);
    EXPECT_GE(m_messageBox.OpenCount(), 1u);
    EXPECT_EQ(m_messageBox.OpenCount(), m_messageBox.CallCount());

    // A task added while the program runs goes through it: shown at once, in the file once.
    Answer added = Cli({"add", "--title", "Stretch again", "--daily", "09:00:00", "--notice", "Up!",
                        "--password", "secret"});
    ASSERT_EQ(added.status, cli::kExitOk) << added.err;
    EXPECT_EQ(added.out.rfind("Added \"Stretch again\"; next run: ", 0), 0u) << added.out;
    EXPECT_LT(RowTitled(*app, "Stretch again"), app->Document()->Tasks().size());
    const std::string file = m_home.File("Documents/Verimont User Data/Ostrel/schedule.rws");
    std::ostringstream messages;
    cli::ConsoleMessageBox box(messages);
    cli::LoadedSchedule saved = cli::LoadSchedule(file, "secret", m_clock, box, false);
    int copies = 0;
    for (const TaskRecord& task : saved.tasks) copies += task.title == "Stretch again";
    EXPECT_EQ(copies, 1);

    // A change the disk did not take is not reported as made.
    InjectedFileFaults faults;
    faults.Fail(FileStep::write, ENOSPC);
    Answer full = Cli({"disable", "Stretch again", "--password", "secret"});
    EXPECT_EQ(full.status, cli::kExitFailure);
    EXPECT_NE(full.err.find(file), std::string::npos) << full.err;
}

TEST_F(ControlServiceTest, ScriptsReadTheListAndHearOfRuns) {
    InstallExampleSchedule();
    auto app = Start();
    ASSERT_NE(app, nullptr);
    // A connection of its own, as a script has: calls and signals go through the bus.
    QDBusConnection script =
        QDBusConnection::connectToBus(QString::fromStdString(m_bus.Address()), QStringLiteral("script"));
    ASSERT_TRUE(script.isConnected());
    const auto call = [&](const char* method, const QVariantList& arguments = {}) {
        QDBusMessage message =
            QDBusMessage::createMethodCall(kControlBusName, kControlObjectPath, kControlInterface, method);
        message.setArguments(arguments);
        QDBusPendingCall pending = script.asyncCall(message);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }, 20000)) << method;
        return pending;
    };

    QDBusPendingReply<QList<ControlTask>> tasksReply = call("Tasks");
    ASSERT_TRUE(tasksReply.isValid()) << tasksReply.error().message().toStdString();
    const QList<ControlTask> tasks = tasksReply.value();
    EXPECT_EQ(tasks.size(), 9);  // as many as the status counts
    QDBusPendingReply<QList<ControlRun>> runsReply = call("NextRuns");
    ASSERT_TRUE(runsReply.isValid()) << runsReply.error().message().toStdString();
    const QList<ControlRun> runs = runsReply.value();
    ASSERT_FALSE(runs.isEmpty());
    EXPECT_EQ(runs.front().time, "2026-12-07 12:20:00");
    EXPECT_EQ(runs.front().title, "Look away from the screen");
    const auto listed = std::find_if(tasks.begin(), tasks.end(), [](const ControlTask& task) {
        return task.title == "Look away from the screen";
    });
    ASSERT_NE(listed, tasks.end());
    EXPECT_EQ(listed->nextRun, runs.front().time);
    EXPECT_TRUE(listed->enabled);

    QLabel heard;  // its setText slot takes the signal's one text
    ASSERT_TRUE(script.connect(kControlBusName, kControlObjectPath, kControlInterface,
                               QStringLiteral("TaskRan"), &heard, SLOT(setText(QString))));
    EXPECT_FALSE(call("RunNow", {QStringLiteral("Tea is ready"), QString()}).isError());
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard.text() == QLatin1String("Tea is ready"); }, 20000));
    QDBusConnection::disconnectFromBus(QStringLiteral("script"));
}

}  // namespace
}  // namespace tidewell::testing
