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
#include "support/injected_file_faults.h"
#include "support/task_builder.h"
#include "text/messages.h"
#include "ui_ports/message_box.h"

namespace tidewell::testing {
namespace {

TEST(TaskColumnWidthsTest, FollowTheScreenWidth) {
    struct Case {
        int width;
        bool cjk;
        ColumnWidthSet widths;
    };
    const Case cases[] = {
        {800, false, {160, 90, 300, 100, 100, 100}},   {800, true, {100, 90, 300, 100, 100, 100}},
        {1024, false, {150, 90, 400, 140, 140, 115}},  {1100, true, {150, 90, 400, 140, 140, 115}},
        {1101, false, {190, 90, 406, 140, 140, 115}},  {1280, false, {210, 90, 565, 140, 140, 115}},
        {1280, true, {210, 90, 565, 140, 140, 115}},   {1440, false, {250, 145, 590, 160, 160, 115}},
        {1920, false, {250, 145, 905, 160, 160, 115}}, {1920, true, {250, 100, 950, 160, 160, 115}},
        {3840, false, {250, 145, 905, 160, 160, 115}},
    };
    for (const Case& c : cases) EXPECT_EQ(TaskColumnWidths(c.width, c.cjk), c.widths) << c.width;
}

class FrameTest : public AppFixture {
protected:
    std::unique_ptr<CTidewellApp> StartWithExample(int screenWidth = 1280) {
        InstallExampleSchedule();
        AppStartOptions options = Options();
        options.screenWidth = screenWidth;
        auto app = std::make_unique<CTidewellApp>(options);
        return app->InitInstance() ? std::move(app) : nullptr;
    }
    static void Select(CTidewellApp& app, ScheduleType type) {
        app.MainFrame()->View().SelectIndex(RowOf(app, type));
    }
    static bool Trigger(CTidewellApp& app, const char* name) {
        QAction* action = FindAction(app, name);
        if (action == nullptr) return false;
        action->trigger();
        return true;
    }
};

TEST_F(FrameTest, ColumnsTakeTheWidthsOfTheScreen) {
    for (int width : {1024, 1280, 1920}) {
        auto app = StartWithExample(width);
        ASSERT_NE(app, nullptr);
        const ColumnWidthSet expected = TaskColumnWidths(width, false);
        CTidewellView& view = app->MainFrame()->View();
        for (int column = 0; column < kTaskColumnCount; ++column) {
            EXPECT_EQ(view.columnWidth(column), expected[static_cast<size_t>(column)]) << width;
        }
        std::filesystem::remove_all(m_home.File("Documents"));
    }
}

TEST_F(FrameTest, PlaceholdersAreUnselectableSeparators) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    CTidewellView& view = app->MainFrame()->View();
    const TaskList& tasks = app->Document()->Tasks();
    int separators = 0;
    for (size_t row = 0; row < tasks.size(); ++row) {
        if (!IsPlaceholderTask(tasks[row])) continue;
        ++separators;
        EXPECT_EQ(view.rowHeight(static_cast<int>(row)), CTidewellView::kSeparatorHeight);
        EXPECT_EQ(view.columnSpan(static_cast<int>(row), 0), kTaskColumnCount);
        view.SelectIndex(row);
        EXPECT_FALSE(view.SelectedIndex());
    }
    EXPECT_EQ(separators, 7);
}

// Every command of the table is an action of the frame that reaches its operation.
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
        {kCmdHelp, ScheduleType::daily, [this] { return m_launcher.opened.back() == CMainFrame::kHelpUrl; }},
        {kCmdHomepage, ScheduleType::daily,
         [this] { return m_launcher.opened.back() == CMainFrame::kHomepageUrl; }},
        {kCmdCheckUpdate, ScheduleType::daily, boxSays(IDS_DIALOG_LVUD_PROMPT_NO_NEW_VERSION_FOUND)},
        {kCmdAbout, ScheduleType::daily, boxSays(IDS_DIALOG_ABOUT_COPYRIGHT)},
        {kCmdCopyTask, ScheduleType::daily,
         [&] {
             return std::count(m_operations.events.begin(), m_operations.events.end(),
                               EventKind::taskAdded) == 1;
         }},
        {kCmdDeleteTask, ScheduleType::daily, boxSays(IDS_TIDEWELL_MESSAGE_PROMPT_BEFORE_DELETE)},
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
        ASSERT_TRUE(Trigger(*app, command->objectName)) << command->objectName;
        EXPECT_TRUE(c.reached()) << command->objectName;
        m_messageBox.Clear();
    }
    EXPECT_FALSE(app->HasEnded());
}

TEST_F(FrameTest, DeleteWithAutoSaveOffEnablesSave) {
    for (bool autoSave : {false, true}) {
        RegistryStore settings = UserSettings();
        ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
        ASSERT_TRUE(
            settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kAutoSave, autoSave ? 1 : 0));
        auto app = StartWithExample();
        ASSERT_NE(app, nullptr);
        QAction* save = FindAction(*app, "actionSave");
        EXPECT_FALSE(save->isEnabled());
        const size_t before = app->Document()->Tasks().size();
        Select(*app, ScheduleType::weekly);
        m_messageBox.AnswerNext(IDYES);
        FindAction(*app, "actionDeleteTask")->trigger();
        EXPECT_EQ(app->Document()->Tasks().size(), before - 1);
        EXPECT_EQ(save->isEnabled(), !autoSave) << autoSave;
        EXPECT_EQ(m_operations.events.back(), EventKind::taskDeleted);
        app.reset();
        std::filesystem::remove_all(m_home.File("Documents"));
    }
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

TEST_F(FrameTest, ScheduleThatCannotBeReadIsReplacedOnlyWhenTheUserChooses) {
    RegistryStore settings = UserSettings();
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kAutoSave, 1));
    InstallExampleSchedule();
    const std::string path = m_home.File("Documents/Verimont User Data/Ostrel/schedule.rws");
    const std::string before = ReadFileText(path);
    InjectedFileFaults faults;
    faults.Fail(FileStep::read, EACCES, path);
    auto app = Start();
    ASSERT_NE(app, nullptr);
    faults.Heal();
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_NE(m_messageBox.LastCall().text.find(path), std::string::npos);
    EXPECT_TRUE(app->Document()->IsFileLeft());

    TaskRecord task = DailyTask({TimeOfDayValue(8)});
    task.title = "new";
    task.taskInfo.taskType = TaskType::notice;
    task.taskInfo.noticeMsg = "Time to go";
    task.soundInfo.type = 0;
    const size_t added = app->Document()->AddTask(task, true);  // an auto-save writes nothing there
    ASSERT_LT(added, app->Document()->Tasks().size());
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_TRUE(app->Document()->IsModified());
    m_messageBox.AnswerNext(IDNO);
    FindAction(*app, "actionSave")->trigger();
    EXPECT_EQ(ReadFileText(path), before);
    m_messageBox.AnswerNext(IDYES);
    FindAction(*app, "actionSave")->trigger();
    EXPECT_NE(ReadFileText(path), before);
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

TEST_F(FrameTest, ClosingOnlyHidesAfterTheSaveQuestion) {
    RegistryStore settings = UserSettings();
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kAppSection, app_keys::kRunCode, 1));
    ASSERT_TRUE(settings.WriteSettingInt(app_keys::kConfigSection, app_keys::kAutoSave, 0));
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    CMainFrame& frame = *app->MainFrame();
    Select(*app, ScheduleType::daily);
    FindAction(*app, "actionToggleEnabled")->trigger();
    ASSERT_TRUE(app->Document()->IsModified());

    m_messageBox.AnswerNext(IDCANCEL);
    frame.close();
    EXPECT_TRUE(frame.isVisible());
    m_messageBox.AnswerNext(IDNO);  // the changes go: the file is read again
    frame.close();
    EXPECT_TRUE(frame.isHidden());
    EXPECT_FALSE(app->HasEnded());
    EXPECT_TRUE(app->Document()->Tasks()[RowOf(*app, ScheduleType::daily)].enabled);
}

TEST_F(FrameTest, RunInBackgroundPromptCanBeSwitchedOff) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    m_messageBox.AnswerNext(IDOK, false);  // "show this message next time" cleared
    FindAction(*app, "actionRunInBackground")->trigger();
    EXPECT_TRUE(app->MainFrame()->isHidden());
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_TRUE(m_messageBox.LastCall().hasCheckBox);
    EXPECT_EQ(app->Settings().ReadSettingInt(app_keys::kHideMeSection, app_keys::kPromptClickOpen, 1), 0);

    FindAction(*app, "actionShowHide")->trigger();
    FindAction(*app, "actionRunInBackground")->trigger();
    EXPECT_EQ(m_messageBox.CallCount(), 1u);
}

TEST_F(FrameTest, MuteIsStoredAndThePlayerFollowsIt) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    QAction* mute = FindAction(*app, "actionMute");
    mute->trigger();
    EXPECT_EQ(app->Settings().ReadSettingInt(app_keys::kSoundSection, app_keys::kMute, 0), 1);
    mute->trigger();
    EXPECT_FALSE(app->IsMute());
    EXPECT_FALSE(mute->isChecked());
    EXPECT_EQ(m_operations.calls, (std::vector<std::string>{"ResetSoundPlayer", "ResetSoundPlayer"}));
}

TEST_F(FrameTest, CaptionAndSchedulingTextFollowTheState) {
    auto app = StartWithExample();
    ASSERT_NE(app, nullptr);
    const std::string product = LoadMessage(IDS_KLN_TIDEWELL);
    EXPECT_EQ(app->MainFrame()->windowTitle().toStdString(), product + " - " + LoadMessage(IDS_KLN_RUNNING));
    QAction* scheduling = FindAction(*app, "actionToggleScheduling");
    EXPECT_EQ(scheduling->text().toStdString(), LoadMessage(IDS_TIDEWELL_MENU_FILE_STOP_SCHEDULING_T));
    scheduling->trigger();
    EXPECT_EQ(app->MainFrame()->windowTitle().toStdString(), product + " - " + LoadMessage(IDS_KLN_DISABLED));
    EXPECT_EQ(scheduling->text().toStdString(), LoadMessage(IDS_TIDEWELL_MENU_FILE_START_SCHEDULING_T));
    EXPECT_NE(AutostartText().find("Hidden=true"), std::string::npos);
}

}  // namespace
}  // namespace tidewell::testing
