// Add, Edit and the clock synchronization sheet over the program's task list, with the pages
// driven as a user would drive them.
#include <sys/stat.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <algorithm>

#include "app/app_fixture.h"
#include "app/schedule_page/list_editor.h"
#include "app/schedule_page/month_list_editor.h"
#include "app/task_sheet/options_page.h"
#include "app/task_sheet/task_editing.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "model/task_compare.h"
#include "model/task_defaults.h"
#include "support/recording_audio.h"
#include "support/scripted_file_dialogs.h"
#include "support/task_builder.h"

namespace tidewell::testing {
namespace {

class TaskEditingTest : public AppFixture {
protected:
    void SetUp() override {
        InstallExampleSchedule();
        m_app = Start();
        ASSERT_NE(m_app, nullptr);
    }

    // Runs one command with the sheet driven by `drive`, which returns the result.
    template <typename Command>
    void WithSheet(Command command, SheetRunner drive) {
        TaskEditing editing(*m_app, m_audio, m_dialogs, [&](COptionsSheet& sheet) {
            sheet.show();
            ++m_sheets;
            return drive(sheet);
        });
        command(editing);
    }

    static int Finish(COptionsSheet& sheet) {
        sheet.button(QWizard::FinishButton)->click();
        return sheet.result();
    }

    const TaskList& Tasks() { return m_app->Document()->Tasks(); }
    std::string ScheduleBytes() {
        m_app->Document()->FinishSaves();
        return ReadFileText(m_app->Document()->ScheduleFile());
    }

    std::unique_ptr<CTidewellApp> m_app;
    RecordingAudio m_audio;
    ScriptedFileDialogs m_dialogs;
    int m_sheets = 0;
};

// Scheduling that was off comes back on with an added task, and says so.
TEST_F(TaskEditingTest, AWeeklyBeepTaskJoinsTheListAndTheNextWizardStartsWeeklyWithABeep) {
    ASSERT_TRUE(m_app->ToggleScheduling(true));
    m_operations.events.clear();
    SettingsPort& settings = m_app->Settings();
    ASSERT_TRUE(settings.WriteSettingInt(kTaskSettingsSection, kLastSoundTypeValue, 1));  // music before
    const std::string program = m_home.File("backup");
    WriteFileText(program, "#!/bin/sh\n");
    chmod(program.c_str(), 0700);

    WithSheet([](TaskEditing& editing) { editing.AddTask(); },
              [&](COptionsSheet& sheet) {
                  sheet.next();
                  Find<QLineEdit>(&sheet, "titleEdit")->setText("  Backup  ");
                  Find<QLineEdit>(&sheet, "programPathEdit")->setText(QString::fromStdString(program));
                  sheet.next();
                  Find<QRadioButton>(&sheet, "beepRadio")->setChecked(true);
                  sheet.next();
                  SelectCode(Find<QComboBox>(&sheet, "scheduleTypeCombo"),
                             static_cast<int>(ScheduleType::weekly));
                  auto* weekly = Find<CWeeklyListEditor>(&sheet, "weeklyEditor");
                  weekly->SetEdited({3, TimeOfDayValue(10)});
                  weekly->AddEntry();
                  for (int page = 0; page < 3; ++page) sheet.next();
                  return Finish(sheet);
              });

    const size_t row = RowTitled(*m_app, "Backup");
    ASSERT_LT(row, Tasks().size()) << "trimmed as the file keeps it";
    const TaskRecord& added = Tasks()[row];
    EXPECT_EQ(added.scheduleInfo.type, ScheduleType::weekly);
    EXPECT_EQ(added.soundInfo.type, 0);
    EXPECT_TRUE(added.scheduleInfo.haveNextRunTime);
    EXPECT_EQ(added.scheduleInfo.nextRunTime, DateTime::FromParts(2026, 12, 9, 10, 0, 0));
    EXPECT_EQ(m_app->MainFrame()->View().SelectedIndex(), row);
    EXPECT_EQ(m_operations.events,
              (std::vector<EventKind>{EventKind::taskAdded, EventKind::schedulingSwitched}));
    EXPECT_TRUE(m_app->IsRunning());
    EXPECT_EQ(m_messageBox.LastCall().text,
              LoadMessage(IDS_TIDEWELL_MESSAGE_PROMPT_RUN_AT_NEW_TASK, m_app->ProductName()));
    EXPECT_FALSE(m_app->Document()->IsModified()) << "saved at once with AutoSave";
    EXPECT_NE(ScheduleBytes().find("Backup"), std::string::npos);

    const size_t count = Tasks().size();
    WithSheet([](TaskEditing& editing) { editing.AddTask(); },
              [](COptionsSheet& sheet) {
                  COptionsPage* sound = sheet.Pages()[2];
                  COptionsPage* schedule = sheet.Pages()[3];
                  sound->LoadFromTask();
                  schedule->LoadFromTask();
                  EXPECT_TRUE(Find<QRadioButton>(sound, "beepRadio")->isChecked());
                  EXPECT_EQ(SelectedCode(Find<QComboBox>(schedule, "scheduleTypeCombo")),
                            static_cast<int>(ScheduleType::weekly));
                  sheet.reject();
                  return sheet.result();
              });
    EXPECT_EQ(Tasks().size(), count) << "Cancel adds nothing";
    EXPECT_EQ(m_sheets, 2);
}

// Cancel adds nothing, as for a new task (AWeeklyBeepTaskJoinsTheList...'s second wizard).
TEST_F(TaskEditingTest, CopyOpensTheWizardOnACopyAndSelectsTheCopy) {
    const size_t row = RowOf(*m_app, ScheduleType::daily);
    const TaskRecord original = Tasks()[row];
    const size_t count = Tasks().size();
    WithSheet([row](TaskEditing& editing) { editing.CopyTask(row); },
              [&](COptionsSheet& sheet) {
                  EXPECT_TRUE(sheet.IsWizard());
                  sheet.next();
                  auto* title = Find<QLineEdit>(&sheet, "titleEdit");
                  EXPECT_EQ(title->text().toStdString(), original.title);
                  title->setText("The copy");
                  while (sheet.nextId() != -1) sheet.next();  // Finish is on the last page
                  return Finish(sheet);
              });
    EXPECT_EQ(Tasks().size(), count + 1);
    EXPECT_EQ(m_operations.events, std::vector<EventKind>{EventKind::taskAdded});
    const std::optional<size_t> selected = m_app->MainFrame()->View().SelectedIndex();
    ASSERT_TRUE(selected);
    EXPECT_EQ(Tasks()[*selected].title, "The copy");
    ASSERT_LT(RowTitled(*m_app, original.title), Tasks().size());
    EXPECT_TRUE(SameTask(Tasks()[RowTitled(*m_app, original.title)], original));
}

TEST_F(TaskEditingTest, TheWizardsCloseBoxAsksBeforeCancelling) {
    const size_t count = Tasks().size();
    m_messageBox.AnswerNext(IDNO);
    WithSheet([](TaskEditing& editing) { editing.AddTask(); },
              [](COptionsSheet& sheet) {
                  sheet.next();
                  Find<QLineEdit>(&sheet, "titleEdit")->setText("Closed wizard");
                  sheet.close();
                  return sheet.result();
              });
    const std::vector<MessageBoxCall>& calls = m_messageBox.Calls();
    EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const MessageBoxCall& call) {
        return call.text == LoadMessage(IDS_MESSAGE_OPT_CHANGED_PROMPT_SAVE);
    }));
    EXPECT_EQ(Tasks().size(), count);
}

TEST_F(TaskEditingTest, TheClockSynchronizationTaskOpensItsScheduleSheet) {
    size_t row = 0;
    while (!Tasks()[row].isClockSyncTask) ++row;
    WithSheet([row](TaskEditing& editing) { editing.EditTask(row); },
              [](COptionsSheet& sheet) {
                  EXPECT_EQ(sheet.PageTitles(), QStringList{MessageText(IDS_TIDEWELL_SCHEDULEPAGE_TITLE)});
                  EXPECT_EQ(sheet.windowTitle(), MessageText(IDS_DIALOG_TCS_AUTOMATIC_CLOCK_SYNCHRONIZATION));
                  auto* monthly = Find<CMonthListEditor>(&sheet, "monthlyEditor");
                  monthly->List()->setCurrentRow(0);
                  monthly->RemoveEntry();
                  monthly->SetEdited(WeekdayOfMonth(5, 4, TimeOfDayValue(22)));  // the last Friday
                  monthly->AddEntry();
                  return Finish(sheet);
              });
    int clockTasks = 0;
    for (const TaskRecord& task : Tasks()) {
        if (!task.isClockSyncTask) continue;
        ++clockTasks;
        ASSERT_EQ(task.scheduleInfo.monthly.size(), 1u);
        EXPECT_EQ(task.scheduleInfo.monthly[0].weekOrdinal, 5);
        EXPECT_EQ(task.taskInfo.swoType, WindowsOperation::clockSynchronization);
    }
    EXPECT_EQ(clockTasks, 1);
    EXPECT_EQ(m_operations.events, std::vector<EventKind>{EventKind::taskModified});
}

}  // namespace
}  // namespace tidewell::testing
