// What a run has to tell the user waits for nobody: the real scheduler and executor with the
// program's own message boxes, the boxes left open while the seconds pass.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "app/windows/message_box_dialog.h"
#include "platform/memory_settings.h"
#include "runtime/scheduler.h"
#include "runtime/task_executor.h"
#include "support/recording_audio.h"
#include "support/recording_launcher.h"
#include "support/recording_scheduler_ports.h"
#include "support/recording_tray.h"
#include "support/recording_windows.h"
#include "support/task_builder.h"
#include "support/temp_dir.h"
#include "support/test_clock.h"
#include "timing/next_run.h"

namespace tidewell {
namespace {

using testing::At;

TaskRecord ProgramOnce(const char* title, const DateTime& at, const std::string& program) {
    TaskRecord task = testing::Titled(testing::OnceTask({at}), title);
    task.taskInfo.programPath = program;
    return task;
}

TEST(RunMessagesTest, AFailedRunTellsTheUserWithoutHoldingUpTheRunsDueMeanwhile) {
    testing::TempDir dir;
    const std::string program = dir.File("tool");
    testing::WriteFileText(program, "#!/bin/sh\n");
    TestClock clock(At(2026, 3, 2, 7, 59, 59));
    testing::RecordingLauncher launcher;
    RecordingPowerControl power;
    RecordingAudio audio;
    RecordingTray tray;
    MemorySettings settings;
    SoundNoticePlayer player(audio, tray, settings);
    EventLog log(dir.Path(), clock);
    QtMessageBox messageBox;
    RecordingNoticeWindow notices;
    RecordingCountdownWindow countdowns;
    TaskExecutor executor({launcher, power, player, log, settings, messageBox, notices, countdowns}, {});

    TaskList list;
    testing::FixedRandom random;
    for (TaskRecord task : {ProgramOnce("deleted", At(2026, 3, 2, 8), dir.File("gone")),
                            ProgramOnce("same second", At(2026, 3, 2, 8), program),
                            ProgramOnce("while the box is open", At(2026, 3, 2, 8, 0, 3), program)}) {
        GetNextRunString(task, {clock, random});
        list.Add(std::move(task));
    }
    testing::QuietView view;
    Scheduler scheduler(list, executor, view, random);
    scheduler.SetRunning(true);
    scheduler.StartPasses({clock.Now(), 0});
    auto pass = [&](int second) {
        scheduler.CheckDueTasks({At(2026, 3, 2, 8, 0, second), 1000 * (second + 1)});
        QCoreApplication::processEvents();
    };

    pass(0);
    EXPECT_EQ(launcher.calls.size(), 1u) << "the task after the failing one runs in the same second";
    ASSERT_NE(messageBox.PostedBox(), nullptr);
    EXPECT_TRUE(messageBox.PostedBox()->isVisible());
    EXPECT_FALSE(messageBox.PostedBox()->isModal());
    EXPECT_FALSE(list[0].scheduleInfo.haveLastRunTime) << "a run that did not start is no run";
    for (int second = 1; second <= 5; ++second) pass(second);
    EXPECT_EQ(launcher.calls.size(), 2u) << "due while the box was open, run on time";
    EXPECT_EQ(list[2].scheduleInfo.lastRunTime, At(2026, 3, 2, 8, 0, 3));

    messageBox.PostedBox()->Press(IDOK);
    QCoreApplication::processEvents();
    for (int second = 6; second <= 8; ++second) pass(second);
    EXPECT_EQ(launcher.calls.size(), 2u) << "closing the box runs nothing again";
    EXPECT_EQ(messageBox.PostedBox(), nullptr);
}

}  // namespace
}  // namespace tidewell
