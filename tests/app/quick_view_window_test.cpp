#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTreeView>

#include "app/dialogs/quick_view_window.h"
#include "app_fixture.h"
#include "files/durable_file.h"
#include "support/scripted_file_dialogs.h"
#include "support/task_builder.h"
#include "text/messages.h"
#include "timing/run_text.h"

namespace tidewell::testing {
namespace {

class QuickViewTest : public AppFixture {
protected:
    void SetUp() override {
        m_clock.Set(At(2026, 12, 9, 10));
        m_app = Start();
        ASSERT_NE(m_app, nullptr);
    }
    // The time column of the runs shown, as the list writes it.
    static std::vector<std::string> ShownTimes(QuickViewWindow& window) {
        const QAbstractItemModel* runs = window.findChild<QTreeView*>("quickViewRuns")->model();
        std::vector<std::string> times;
        for (int row = 0; row < runs->rowCount(); ++row)
            times.push_back(runs->index(row, 0).data().toString().toStdString());
        return times;
    }

    std::unique_ptr<CTidewellApp> m_app;
};

// Monday 7 to Sunday 13 December 2026; now is the Wednesday. Which runs fall in a range is
// Agenda.GeneratedTasksEqualTheDayByDayWalk's; the window shows them all and opens at the next.
TEST_F(QuickViewTest, ThisWeekShowsItsRunsFromTheFirstToCome) {
    TaskList& list = m_app->Document()->Tasks();
    list.Clear();
    TaskRecord daily = Titled(DailyTask({TimeOfDayValue(8), TimeOfDayValue(20, 30)}), "daily");
    TaskRecord bounded = Titled(DailyTask({TimeOfDayValue(8), TimeOfDayValue(20, 30)}), "bounded");
    bounded.scheduleInfo.startingTime = At(2026, 12, 8, 9);
    bounded.scheduleInfo.haveEndingTime = true;
    bounded.scheduleInfo.endingTime = At(2026, 12, 10, 12);
    TaskRecord weekly = Titled(
        WeeklyTask({{2, TimeOfDayValue(9)}, {6, TimeOfDayValue(18)}, {2, TimeOfDayValue(8)}}), "weekly");
    TaskRecord once = Titled(OnceTask({At(2026, 12, 6, 23, 59, 59), At(2026, 12, 7), At(2026, 12, 8, 8),
                                       At(2026, 12, 13, 23, 59, 59), At(2026, 12, 14)}),
                             "once");
    for (const TaskRecord& task : {daily, bounded, weekly, once}) list.Add(task);

    QuickViewWindow window(*m_app);  // no saved Quick View: this week
    EXPECT_EQ(window.findChild<QComboBox*>("quickViewPicker")->currentText().toStdString(),
              "This week (Monday - Sunday)");
    // 14 daily, 4 bounded, 3 weekly, 3 once; dates written as the list writes them.
    EXPECT_EQ(window.findChild<QLabel*>("quickViewCount")->text().toStdString(),
              "24 run(s) from 12-7-2026 to 12-13-2026.");
    // The list opens at the first run to come.
    EXPECT_EQ(window.findChild<QTreeView*>("quickViewRuns")->currentIndex().data().toString().toStdString(),
              RunInstantText(At(2026, 12, 9, 20, 30)));
}

// A task every 20 minutes from the past 10 to the next 30 days: every run of the 41 days is
// shown (the list used to stop after 1,000 runs, on the fourth day), and no cut is reported.
TEST_F(QuickViewTest, EveryRunOfALongRangeIsShown) {
    TaskList& list = m_app->Document()->Tasks();
    list.Clear();
    list.Add(Titled(RepeatingTask(At(2026, 1, 1), 20, TimeUnit::minutes), "look away"));
    QuickViewRecord record;
    record.type = QuickViewType::pastToNext;
    QuickViewWindow window(*m_app);
    window.ShowOnSpot(record);
    const std::vector<std::string> shown = ShownTimes(window);
    ASSERT_EQ(shown.size(), 41u * 72);
    EXPECT_EQ(shown.front(), RunInstantText(At(2026, 11, 29)));
    EXPECT_EQ(shown.back(), RunInstantText(At(2027, 1, 8, 23, 40)));
    EXPECT_EQ(window.findChild<QLabel*>("quickViewCount")->text().toStdString(),
              "2952 run(s) from 11-29-2026 to 1-8-2027.");
    EXPECT_TRUE(window.findChild<QLabel*>("quickViewCutShort")->isHidden());
}

// The export writes the runs shown, one event each; a name without extension gets ".ics". A failed
// export is shown once in the program's words.
TEST_F(QuickViewTest, ExportWritesOneEventPerRunShown) {
    TaskList& list = m_app->Document()->Tasks();
    list.Clear();
    list.Add(Titled(DailyTask({TimeOfDayValue(8), TimeOfDayValue(20, 30)}), "stretch"));
    ScriptedFileDialogs dialogs;
    const std::string unwritable = m_home.File("no such folder/week.ics");
    dialogs.Choose(m_home.File("week"));
    dialogs.Choose(unwritable);
    QuickViewWindow window(*m_app, dialogs);
    m_messageBox.Clear();
    window.findChild<QAbstractButton*>("quickViewExport")->click();

    const std::string calendar = ReadFileText(m_home.File("week.ics"));
    std::size_t events = 0;
    for (std::size_t at = calendar.find("BEGIN:VEVENT"); at != std::string::npos;
         at = calendar.find("BEGIN:VEVENT", at + 1))
        ++events;
    EXPECT_EQ(events, 14u);
    EXPECT_EQ(events, ShownTimes(window).size());
    EXPECT_EQ(m_messageBox.CallCount(), 0u);

    window.findChild<QAbstractButton*>("quickViewExport")->click();
    ASSERT_EQ(m_messageBox.CallCount(), 1u);
    EXPECT_EQ(m_messageBox.LastCall().text, CannotWriteFileMessage(unwritable));
    EXPECT_FALSE(std::filesystem::exists(unwritable));
}

}  // namespace
}  // namespace tidewell::testing
