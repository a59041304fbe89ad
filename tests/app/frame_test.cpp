#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <functional>

#include "app/main_window/column_widths.h"
#include "app/main_window/command_table.h"
#include "app/main_window/task_list_model.h"
#include "app/program/single_instance.h"
#include "app/windows/message_box_dialog.h"
#include "app_fixture.h"
#include "base/text_util.h"
#include "support/injected_file_faults.h"
#include "support/task_builder.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell::testing {
namespace {

class FrameTest : public AppFixture {
protected:
    std::unique_ptr<CTidewellApp> StartWithExample() {
        InstallExampleSchedule();
        return Start();
    }
    static void Select(CTidewellApp& app, ScheduleType type) {
        app.MainFrame()->View().SelectIndex(RowOf(app, type));
    }
};

TEST_F(FrameTest, EveryCommandReachesItsOperation) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    CMainFrame& frame = *app->MainFrame();
    using Check = std::function<bool()>;
    auto called = [this](const char* name) {
        return [this, name] { return !m_operations.calls.empty() && m_operations.calls.back() == name; };
    };
    auto boxSays = [this](int32_t id) {
        return [this, id] {
            return m_messageBox.CallCount() > 0 &&
                   m_messageBox.Calls().front().text.find(LoadMessage(id, LoadMessage(IDS_KLN_TIDEWELL))) !=
                       std::string::npos;
        };
    };
    const size_t daily = RowOf(*app, ScheduleType::daily);
    const size_t countDown = RowOf(*app, ScheduleType::countDown);
    struct Case {
        CommandId id;
        ScheduleType selection;
        Check reached;
    };
    const std::vector<Case> cases = {
        {kCmdRunNow, ScheduleType::daily, called("RunTaskNow")},
        {kCmdAddTask, ScheduleType::daily, called("AddTask")},
        {kCmdEditTask, ScheduleType::daily, called("EditTask")},
        {kCmdFind, ScheduleType::daily, called("Find")},
        {kCmdFindNext, ScheduleType::daily, called("FindNext")},
        {kCmdClockSynchronization, ScheduleType::daily, called("ClockSynchronization")},
        {kCmdStatistics, ScheduleType::daily, called("Statistics")},
        {kCmdOptions, ScheduleType::daily, called("Options")},
        {kCmdViewLog, ScheduleType::daily, called("ViewLog")},
        {kCmdQuickView, ScheduleType::daily, called("QuickView")},
        {kCmdStopSound, ScheduleType::daily, called("StopCurrentSound")},
        {kCmdToggleScheduling, ScheduleType::daily, [&] { return !app->IsRunning(); }},
        {kCmdToggleEnabled, ScheduleType::daily, [&] { return !app->Document()->Tasks()[daily].enabled; }},
        {kCmdPauseCountDown, ScheduleType::countDown,
         [&] { return app->Document()->Tasks()[countDown].scheduleInfo.countDownRunning; }},
        {kCmdClearCountDown, ScheduleType::countDown,
         [&] { return app->Document()->Tasks()[countDown].scheduleInfo.countDownSeconds == 0; }},
        {kCmdMute, ScheduleType::daily,
         [&] { return app->IsMute() && FindAction(*app, "actionMute")->isChecked(); }},
        {kCmdAutoUpdate, ScheduleType::daily, [&] { return !app->AutoUpdate(); }},
        {kCmdToolbar, ScheduleType::daily, [&] { return frame.findChild<QToolBar*>("toolBar")->isHidden(); }},
        {kCmdStatusBar, ScheduleType::daily, [&] { return frame.statusBar()->isHidden(); }},
        {kCmdHelp, ScheduleType::daily,  // the page, or why there is none: CommandLauncherTest
         [&] { return m_messageBox.CallCount() + m_launcher.opened.size() == 1; }},
        {kCmdHomepage, ScheduleType::daily, [this] { return m_launcher.opened.back() == kHomepage; }},
        {kCmdCheckUpdate, ScheduleType::daily, boxSays(IDS_DIALOG_LVUD_PROMPT_UPDATES_COME_WITH_PACKAGE)},
        {kCmdAbout, ScheduleType::daily, boxSays(IDS_DIALOG_ABOUT_COPYRIGHT)},
        {kCmdCopyTask, ScheduleType::daily, called("CopyTask")},
        {kCmdDeleteTask, ScheduleType::daily,
         [&] {
             return m_messageBox.CallCount() > 0 &&
                    m_messageBox.Calls().front().text ==
                        ReplaceAll(LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_DELETE_TASK), "#1",
                                   app->Document()->Tasks()[daily].title);
         }},
        {kCmdSave, ScheduleType::daily, [&] { return !app->Document()->IsModified(); }},
        {kCmdRunInBackground, ScheduleType::daily, [&] { return frame.isHidden(); }},
        {kCmdShowHide, ScheduleType::daily, [&] { return frame.isVisible(); }},
        {kCmdExitCompletely, ScheduleType::daily, boxSays(IDS_TIDEWELL_MESSAGE_PROMPT_EXIT_COMPLETELY)},
    };
    EXPECT_EQ(cases.size(), CommandTable().size());
    for (const Case& c : cases) {
        const CommandInfo* command = FindCommand(c.id);
        ASSERT_NE(command, nullptr) << c.id;
        Select(*app, c.selection);
        m_messageBox.AnswerNext(IDNO);  // questions are declined
        QAction* action = FindAction(*app, command->objectName);
        ASSERT_NE(action, nullptr) << command->objectName;
        action->trigger();
        EXPECT_TRUE(c.reached()) << command->objectName;
        m_messageBox.Clear();
    }
    EXPECT_FALSE(app->HasEnded());
}

// With AutoSave on, a change is saved at once: TaskEditingTest's added task.
TEST_F(FrameTest, DeleteWithAutoSaveOffEnablesSave) {
    RegistryStore settings = UserSettings();
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kAutoSave, 0));
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    QAction* save = FindAction(*app, "actionSave");
    EXPECT_FALSE(save->isEnabled());
    const size_t before = app->Document()->Tasks().size();
    Select(*app, ScheduleType::weekly);
    m_messageBox.AnswerNext(IDYES);
    FindAction(*app, "actionDeleteTask")->trigger();
    EXPECT_EQ(app->Document()->Tasks().size(), before - 1);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(m_operations.events.back(), EventKind::taskDeleted);
    // A task next to the deleted one is selected: Delete again reaches one.
    EXPECT_TRUE(app->MainFrame()->View().SelectedIndex().has_value());
}

TEST_F(FrameTest, ExitCompletelySwitchesSchedulingOffAndHidesTheLogonEntry) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    ASSERT_NE(AutostartText().find("Hidden=false"), std::string::npos);
    m_messageBox.AnswerNext(IDYES);
    FindAction(*app, "actionExitCompletely")->trigger();
    EXPECT_TRUE(app->HasEnded());
    EXPECT_FALSE(app->IsRunning());
    EXPECT_EQ(UserSettings().ReadSettingInt(app_keys::kAppSection, app_keys::kScheduling, 1), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->MainFrame() == nullptr; }, 1000));
    const std::string entry = AutostartText();
    EXPECT_NE(entry.find("\nHidden=true\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nExec=/usr/bin/tidewell autoload\n"), std::string::npos) << entry;
    EXPECT_EQ(m_operations.events.back(), EventKind::schedulingSwitched);
}

TEST_F(FrameTest, CloseRequestEndsOnlyWithItsOwnParameters) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    const std::string path = app->Instance()->Path();
    ASSERT_TRUE(SingleInstance::Send(path, InstanceMessageLine({1145, 1, 3})));
    ASSERT_TRUE(SingleInstance::Send(path, InstanceMessageLine({1144, 1, 2})));
    for (int i = 0; i < 10; ++i) Settle();
    EXPECT_FALSE(app->HasEnded());
    EXPECT_TRUE(app->IsRunning());

    ASSERT_TRUE(SingleInstance::Send(path, InstanceMessageLine({1145, 1, 2})));
    EXPECT_TRUE(QTest::qWaitFor([&] { return app->HasEnded(); }, 2000));
    EXPECT_TRUE(app->IsRunning());  // an update restarts it as it was
}

// A schedule that cannot be read: the user is told, the list starts fresh (without the built-in
// clock task, which comes only with a list read whole), and nothing is written there, not even by
// an auto-save or a new password, until the user chooses to replace the file. A folder or a device
// in its place is left the same way: ScheduleStoreTest.FilesThatCannotBeLoaded.
TEST_F(FrameTest, ScheduleThatCannotBeReadIsLeftAloneUntilTheUserChooses) {
    RegistryStore settings = UserSettings();
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kAutoSave, 1));
    InstallExampleSchedule();
    const std::string path = m_home.File("Documents/Verimont User Data/Ostrel/schedule.rws");
    const std::string example = ReadFileText(path);
    InjectedFileFaults faults;
    faults.Fail(FileStep::read, EACCES, path);
    auto app = Start();
    faults.Heal();
    ASSERT_NE(app, nullptr);
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_NE(m_messageBox.LastCall().text.find(LoadMessage(IDS_MESSAGE_FILE_LEFT_UNTIL_USER_CHOOSES)),
              std::string::npos);
    EXPECT_TRUE(app->Document()->Tasks().empty());
    const size_t added = app->Document()->AddTask(AsNotice(DailyTask({TimeOfDayValue(8)}), "new"), true);
    ASSERT_LT(added, app->Document()->Tasks().size());
    EXPECT_TRUE(app->Document()->ProtectWith("s3cret!"));  // for the next save
    EXPECT_EQ(ReadFileText(path), example);
    EXPECT_TRUE(app->Document()->IsModified());
    m_messageBox.AnswerNext(IDNO);
    FindAction(*app, "actionSave")->trigger();
    EXPECT_EQ(ReadFileText(path), example);
    m_messageBox.AnswerNext(IDYES);
    FindAction(*app, "actionSave")->trigger();
    EXPECT_NE(ReadFileText(path), example);
    EXPECT_FALSE(app->Document()->IsModified());
}

TEST_F(FrameTest, SavesOfPassesThatKeepFailingAreReportedWithoutModalBoxes) {
    RegistryStore settings = UserSettings();
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    CMainFrame& frame = *app->MainFrame();
    CTidewellDoc& doc = *app->Document();
    const QLabel* status = frame.findChild<QLabel*>("statusSaveFailure");
    ASSERT_NE(status, nullptr);
    // A save of a pass is written in the background; its outcome counts once handled.
    const auto saveFromPass = [&doc] {
        doc.SaveFromPass();
        doc.FinishSaves();
    };
    const auto openBoxes = [&frame] {
        Settle();
        const auto boxes = frame.findChildren<MessageBoxDialog*>();
        return std::count_if(boxes.begin(), boxes.end(),
                             [](MessageBoxDialog* box) { return box->isVisible() && !box->isModal(); });
    };
    InjectedFileFaults faults;
    faults.Fail(FileStep::create, ENOSPC, doc.ScheduleFile());  // the settings still write
    saveFromPass();
    EXPECT_EQ(openBoxes(), 1);
    EXPECT_FALSE(status->isHidden());
    EXPECT_TRUE(doc.IsModified());
    for (int pass = 0; pass < 30; ++pass) {  // a task repeating every second
        m_clock.Advance(1);
        saveFromPass();
    }
    EXPECT_EQ(openBoxes(), 1);
    EXPECT_GE(faults.Count(FileStep::create), 31);  // every pass tried again
    frame.findChild<MessageBoxDialog*>()->Press(IDOK);
    m_clock.Advance(20);
    saveFromPass();
    EXPECT_EQ(openBoxes(), 0);  // at most one a minute
    m_clock.Advance(15);
    saveFromPass();
    EXPECT_EQ(openBoxes(), 1);
    EXPECT_EQ(m_messageBox.CallCount(), 0u);  // nothing modal

    faults.Heal();
    saveFromPass();
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(status->isHidden());
    EXPECT_EQ(openBoxes(), 0);
}

TEST_F(FrameTest, WithoutATrayHostTheWindowMinimizesAndFollowsTheHost) {
    m_trayHost.Set(false);
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    CMainFrame& frame = *app->MainFrame();
    frame.close();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMinimized());
    FindAction(*app, "actionShowHide")->trigger();
    EXPECT_FALSE(frame.isMinimized());

    // Run in Background says where the window went, without a word of a tray icon.
    FindAction(*app, "actionRunInBackground")->trigger();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMinimized());
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(m_messageBox.LastCall().text,
              LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_MINIMIZED_WITHOUT_TRAY, app->ProductName()));

    // A host that comes later takes the window; one that goes gives it back.
    m_trayHost.Set(true);
    FindAction(*app, "actionShowHide")->trigger();
    frame.close();
    EXPECT_TRUE(frame.isHidden());
    m_trayHost.Set(false);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMinimized());
}

}  // namespace
}  // namespace tidewell::testing
