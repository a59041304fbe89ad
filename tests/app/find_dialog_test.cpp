#include <QAbstractButton>
#include <QComboBox>

#include "app/dialogs/find_dialog.h"
#include "app/dialogs/task_finder.h"
#include "app/program/program_operations.h"
#include "app_fixture.h"
#include "config/find_settings.h"
#include "overview/schedule_statistics.h"
#include "support/injected_file_faults.h"
#include "support/task_builder.h"
#include "text/messages.h"

namespace tidewell::testing {
namespace {

TaskRecord Task(std::string title, TaskType type, std::string text) {
    TaskRecord task = ScheduledTask(ScheduleType::daily);
    task.title = std::move(title);
    task.taskInfo.taskType = type;
    task.soundInfo.noticeSound = false;
    (type == TaskType::program ? task.taskInfo.programPath
     : type == TaskType::macro ? task.taskInfo.macroPath
                               : task.taskInfo.noticeMsg) = std::move(text);
    return task;
}

class FindTest : public AppFixture {
protected:
    void SetUp() override {
        m_app = Start();
        ASSERT_NE(m_app, nullptr);
        TaskList& list = m_app->Document()->Tasks();
        list.Clear();
        list.Add(Task("Run backup", TaskType::program, "/usr/bin/backup"));
        list.Add(Task("Rerun backup", TaskType::program, "/usr/bin/rerun"));
        list.Add(Task("Water plants", TaskType::notice, "Run the hose"));
        list.Add(Task("Quarterly report", TaskType::macro, "/macros/run.rwm"));
        View().ResetRows();
        m_finder = std::make_unique<TaskFinder>(list, View(), m_messageBox);
    }
    CTidewellView& View() { return m_app->MainFrame()->View(); }
    std::unique_ptr<FindDialog> Dialog() {
        return std::make_unique<FindDialog>(*m_finder, m_app->Settings());
    }
    static QAbstractButton* Button(FindDialog& dialog, const char* name) {
        return dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    static void Search(FindDialog& dialog, const char* text) {
        dialog.findChild<QComboBox*>("findWhatCombo")->setEditText(QString::fromUtf8(text));
    }

    std::unique_ptr<CTidewellApp> m_app;
    std::unique_ptr<TaskFinder> m_finder;
};

TEST_F(FindTest, FindNextWalksBothWaysFromTheSelectedRow) {
    auto dialog = Dialog();
    EXPECT_FALSE(Button(*dialog, "findNextButton")->isEnabled());  // no text yet
    Search(*dialog, "run");
    Button(*dialog, "wholeWordCheck")->click();
    View().SelectIndex(0);
    for (size_t expected : {0u, 2u, 3u}) {
        Button(*dialog, "findNextButton")->click();
        EXPECT_EQ(View().SelectedIndex(), expected);
    }
    Button(*dialog, "upRadio")->click();
    Button(*dialog, "nextItemRadio")->click();
    for (size_t expected : {2u, 0u}) {
        Button(*dialog, "findNextButton")->click();
        EXPECT_EQ(View().SelectedIndex(), expected);
    }
    Search(*dialog, "zebra");
    Button(*dialog, "downRadio")->click();
    Button(*dialog, "findNextButton")->click();
    EXPECT_EQ(m_messageBox.LastCall().text, "Find string \"zebra\" not found.");
    EXPECT_EQ(View().SelectedIndex(), 0u);
}

}  // namespace
}  // namespace tidewell::testing
