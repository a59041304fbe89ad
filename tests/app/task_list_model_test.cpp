#include "app/main_window/task_list_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <functional>

#include "support/task_builder.h"
#include "support/test_clock.h"

namespace tidewell::testing {
namespace {

struct Cell {
    int row;
    int column;
    bool operator==(const Cell&) const = default;
};

// A daily task, a running count-down and an At Logon task whose start is 10 seconds ahead.
class TaskListModelTest : public ::testing::Test {
protected:
    TaskListModelTest() {
        TaskRecord daily = DailyTask({TimeOfDayValue(8)});
        daily.scheduleInfo.haveNextRunTime = true;
        daily.scheduleInfo.nextRunTime = At(2026, 12, 8, 8);
        TaskRecord countDown = ScheduledTask(ScheduleType::countDown);
        countDown.scheduleInfo.countDownRunning = true;
        countDown.scheduleInfo.haveNextRunTime = true;
        countDown.scheduleInfo.nextRunTime = At(2026, 12, 7, 12, 10);
        TaskRecord atLogon = ScheduledTask(ScheduleType::atLogon);
        atLogon.scheduleInfo.startingTime = At(2026, 12, 7, 12, 0, 10);
        atLogon.scheduleInfo.haveEndingTime = false;
        for (const TaskRecord& task : {daily, countDown, atLogon}) m_list.Add(task);
        m_model.Reset();
    }
    // The cells that `refresh` told the view to redraw.
    std::vector<Cell> Redrawn(const std::function<void()>& refresh) {
        QSignalSpy spy(&m_model, &QAbstractItemModel::dataChanged);
        refresh();
        std::vector<Cell> cells;
        for (const QList<QVariant>& signal : spy) {
            const auto first = signal[0].value<QModelIndex>();
            const auto last = signal[1].value<QModelIndex>();
            for (int row = first.row(); row <= last.row(); ++row)
                for (int column = first.column(); column <= last.column(); ++column)
                    cells.push_back({row, column});
        }
        return cells;
    }
    void EachSecond() { m_model.RefreshTimedCells(); }
    void EveryRow() { m_model.RefreshRow(-1); }

    TestClock m_clock{At(2026, 12, 7, 12)};
    TaskList m_list;
    TaskListModel m_model{m_list, m_clock};
};

TEST_F(TaskListModelTest, OnlyTheCellsWhoseTextChangedAreRedrawn) {
    const std::vector<Cell> wholeFirstRow = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}};
    struct Case {
        const char* what;
        std::function<void()> change;
        bool eachSecond;  // else a refresh of every row
        std::vector<Cell> redrawn;
    };
    const Case cases[] = {
        {"an idle second", [this] { m_clock.Advance(1); }, true, {}},
        {"an idle refresh of every row", [] {}, false, {}},
        {"the count-down moved",
         [this] { m_list[1].scheduleInfo.nextRunTime = At(2026, 12, 7, 12, 15); },
         true,
         {{1, kNextRunColumn}}},
        {"the At Logon start passed", [this] { m_clock.Advance(20); }, true, {{2, kNextRunColumn}}},
        {"the daily task ran",
         [this] {
             ScheduleInfo& schedule = m_list[0].scheduleInfo;
             schedule.nextRunTime = At(2026, 12, 9, 8);
             schedule.haveLastRunTime = true;
             schedule.lastRunTime = At(2026, 12, 8, 8);
         },
         false,
         {{0, kNextRunColumn}, {0, kLastRunColumn}}},
        {"the daily task was disabled: its row greys", [this] { m_list[0].enabled = false; }, false,
         wholeFirstRow},
        {"nothing since", [] {}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        EXPECT_EQ(Redrawn([&] { c.eachSecond ? EachSecond() : EveryRow(); }), c.redrawn);
    }
}

}  // namespace
}  // namespace tidewell::testing
