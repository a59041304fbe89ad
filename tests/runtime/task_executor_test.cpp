#include "runtime/task_executor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "base/text_util.h"
#include "platform/memory_settings.h"
#include "support/recording_audio.h"
#include "support/recording_launcher.h"
#include "support/recording_message_box.h"
#include "support/recording_tray.h"
#include "support/recording_windows.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"

namespace tidewell {
namespace {

using Strings = std::vector<std::string>;
using testing::At;
const Strings kRun = {"Run task \"Backup\""};
const Strings kNotRun = {"Could not run task \"Backup\""};

TaskRecord Task(TaskType type, WindowsOperation operation = {}, int waiting = 0) {
    TaskRecord task;
    task.title = "Backup";
    task.taskInfo.taskType = type;
    task.taskInfo.swoType = operation;
    task.taskInfo.swoWaitingTime = waiting;
    task.soundInfo = {true, 0, 60, 2000, 500, 500, {}};
    return task;
}

class ExecutorTest : public ::testing::Test {
protected:
    TaskExecutor MakeExecutor(bool peEdition) {
        return TaskExecutor(
            {m_launcher, m_power, m_player, m_log, m_settings, m_messageBox, m_notices, m_countdowns},
            {peEdition, "/opt/tw app",
             [] {
                 return Strings{"time-a", "time-b"};
             },
             [this](const std::string& name) { return m_syncs.push_back(name), true; },
             [this] { ++m_autoStartWrites; }, [] { return MonotonicTime{}; }});
    }
    // The event texts of the log, and a fresh log.
    Strings TakeLogged() {
        Strings texts;
        for (const std::string& line : SplitLines(testing::ReadFileText(m_log.Path())))
            if (line.find('\t') != std::string::npos) texts.push_back(line.substr(line.find('\t') + 1));
        std::remove(m_log.Path().c_str());
        return texts;
    }
    std::string File(const std::string& name, mode_t mode) {
        testing::WriteFileText(m_dir.File(name), "#!/bin/sh\n");
        ::chmod(m_dir.File(name).c_str(), mode);
        return m_dir.File(name);
    }

    testing::TempDir m_dir;
    TestClock m_clock{At(2006, 3, 5, 7, 59, 59)};
    EventLog m_log{m_dir.Path(), m_clock};
    testing::RecordingLauncher m_launcher;
    RecordingPowerControl m_power;
    RecordingAudio m_audio;
    RecordingTray m_tray;
    MemorySettings m_settings;
    SoundNoticePlayer m_player{m_audio, m_tray, m_settings};
    RecordingMessageBox m_messageBox;
    RecordingNoticeWindow m_notices;
    RecordingCountdownWindow m_countdowns;
    Strings m_syncs;
    int m_autoStartWrites = 0;
    TaskExecutor m_executor = MakeExecutor(false);
};

TEST_F(ExecutorTest, ProgramsStartDocumentsFoldersAndLinksOpenNothingThereIsNoRun) {
    const std::string tool = File("tool", 0755), document = File("notes.txt", 0644);
    const std::string missing = m_dir.File("gone.exe"), started = tool + " -v 'a b' @" + m_dir.Path();
    const std::string notValid = "A valid program name or a file name must be provided.\r\n\r\n\t";
    const struct {
        std::string path, failure;
        bool started;
        Strings calls, message, logged;  // message: text, caption
    } cases[] = {
        {tool, "", true, {started}, {}, kRun},
        {document, "", true, {document}, {}, kRun},
        {m_dir.Path(), "", true, {m_dir.Path()}, {}, kRun},
        {"https://example.org/a b", "", true, {"https://example.org/a b"}, {}, kRun},
        {tool, "No such file", false, {started}, {"No such file", "Error"}, kNotRun},
        {missing, "", false, {}, {notValid + missing + "\r\n\r\n", "Error"}, kNotRun},
    };
    for (const auto& c : cases) {
        m_launcher.calls.clear();
        m_launcher.failure = c.failure;
        m_messageBox.Clear();
        TaskRecord task = Task(TaskType::program);
        task.taskInfo.programPath = c.path;
        task.taskInfo.parameter = "-v 'a b'";
        EXPECT_EQ(m_executor.RunTask(task), c.started) << c.path;
        EXPECT_EQ(m_launcher.calls, c.calls) << c.path;
        EXPECT_EQ(m_messageBox.OpenCount(), c.message.empty() ? 0u : 1u) << "posted, not waited for";
        const MessageBoxCall shown = m_messageBox.CallCount() ? m_messageBox.LastCall() : MessageBoxCall{};
        EXPECT_EQ(c.message, shown.text.empty() ? Strings{} : Strings({shown.text, shown.caption}));
        EXPECT_EQ(TakeLogged(), c.logged) << c.path;
        EXPECT_EQ(m_player.TraySecondsLeft() > 0, c.started) << "no run notice for what did not run";
        m_player.StopCurrentSound();
        m_player.TrayTick(MonotonicTime{} + std::chrono::hours(1));
    }
    // Clearing the reminder's check box switches the reminder off for good.
    m_messageBox.Clear();
    m_messageBox.AnswerNext(IDOK, false);
    TaskRecord task = Task(TaskType::program);
    EXPECT_FALSE(m_executor.RunTask(task));
    EXPECT_TRUE(m_messageBox.LastCall().hasCheckBox && m_messageBox.LastCall().showNextTime);
    m_messageBox.CloseOldest();
    EXPECT_EQ(m_settings.ReadSettingInt("Tidewell\\Config", "Error Reminder - File", 1), 0);
    EXPECT_FALSE(m_executor.RunTask(task));
    EXPECT_EQ(m_messageBox.CallCount(), 1u);
}

TEST_F(ExecutorTest, OperationsWaitTheirCountDownOrStartAtOnce) {
    using enum WindowsOperation;
    const struct {
        WindowsOperation operation;
        int waiting, storedWaiting;
        std::optional<CountdownOutcome> outcome;  // none: no count-down
        std::string refusal;
        std::vector<PowerOperation> performed;
        Strings logged;
    } cases[] = {
        {shutDown, 400, 30, CountdownOutcome::perform, "", {PowerOperation::powerOff}, kRun},
        {reboot, 300, 300, CountdownOutcome::cancelled, "", {}, {}},
        {standBy, 0, 0, std::nullopt, "", {PowerOperation::suspend}, kRun},
        {logOff, 0, 0, std::nullopt, "Refused by a lock.", {PowerOperation::logOff}, {kRun[0], kNotRun[0]}},
        {switchUser, 30, 30, std::nullopt, "", {}, kRun},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.operation));
        m_countdowns.shown.clear();
        m_power.performed.clear();
        m_power.failure = c.refusal;
        m_messageBox.Clear();
        m_autoStartWrites = 0;
        TaskRecord task = Task(TaskType::windowsOperation, c.operation, c.waiting);
        EXPECT_EQ(m_executor.RunTask(task), c.refusal.empty());
        EXPECT_EQ(task.taskInfo.swoWaitingTime, c.storedWaiting);
        ASSERT_EQ(m_countdowns.shown.size(), c.outcome ? 1u : 0u);
        if (c.outcome) {
            EXPECT_EQ(m_countdowns.shown[0].request.seconds, c.storedWaiting);
            EXPECT_TRUE(m_power.performed.empty() && m_player.Beeping() && TakeLogged().empty());
            m_countdowns.shown[0].done(*c.outcome);
        }
        EXPECT_EQ(m_power.performed, c.performed);
        EXPECT_EQ(m_autoStartWrites, static_cast<int>(c.performed.size()));
        EXPECT_EQ(TakeLogged(), c.logged);
        EXPECT_EQ(m_player.Beeping(), c.operation == switchUser);
        EXPECT_EQ(m_messageBox.CallCount() ? m_messageBox.LastCall().text : "", c.refusal);
    }
    TaskRecord sync = Task(TaskType::windowsOperation, clockSynchronization);
    sync.taskInfo.programPath = "1";
    EXPECT_TRUE(m_executor.RunTask(sync));
    EXPECT_EQ(m_syncs, Strings{"time-b"});
    EXPECT_EQ(TakeLogged(), kRun);
    // A count-down that ends after its executor has gone does nothing.
    sync = Task(TaskType::windowsOperation, shutDown, 10);
    EXPECT_TRUE(MakeExecutor(false).RunTask(sync));
    m_countdowns.shown.back().done(CountdownOutcome::perform);
    EXPECT_EQ(m_power.performed.size(), 0u);
}

// A pass starts every program before it tells of any: the log keeps the list's order, a run that
// did not start gets no notice, and a system operation logs what started before it first.
TEST_F(ExecutorTest, HeldReportsFollowEveryStartInListOrder) {
    TaskRecord first = Task(TaskType::program), missing = first, last = first;
    first.title = "first";
    first.taskInfo.programPath = last.taskInfo.programPath = File("tool", 0755);
    missing.title = "missing";
    missing.taskInfo.programPath = m_dir.File("gone");
    last.title = "last";
    TaskRecord standBy = Task(TaskType::windowsOperation, WindowsOperation::standBy);
    {
        const TaskExecutor::HeldReports held(m_executor);
        EXPECT_TRUE(m_executor.RunTask(first));
        EXPECT_FALSE(m_executor.RunTask(missing));
        EXPECT_TRUE(m_executor.RunTask(last));
        EXPECT_EQ(m_launcher.calls.size(), 2u);
        EXPECT_TRUE(TakeLogged().empty() && m_tray.tips.empty() && !m_player.Beeping());
    }
    EXPECT_EQ(TakeLogged(),
              (Strings{"Run task \"first\"", "Could not run task \"missing\"", "Run task \"last\""}));
    ASSERT_EQ(m_tray.tips.size(), 2u);
    EXPECT_TRUE(m_tray.tips[0].ends_with("first") && m_tray.tips[1].ends_with("last"));
    EXPECT_TRUE(m_player.Beeping());
    {
        const TaskExecutor::HeldReports held(m_executor);
        EXPECT_TRUE(m_executor.RunTask(first));
        EXPECT_TRUE(m_executor.RunTask(standBy));
        EXPECT_EQ(m_power.performed.size(), 1u);
        EXPECT_EQ(TakeLogged(), (Strings{"Run task \"first\"", kRun[0]}));
        EXPECT_TRUE(m_executor.RunTask(last));
    }
    EXPECT_EQ(TakeLogged(), Strings{"Run task \"last\""});
}

}  // namespace
}  // namespace tidewell
