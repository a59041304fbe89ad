#pragma once

#include <QTableView>
#include <optional>

#include "app/main_window/column_widths.h"
#include "model/task_list.h"
#include "time/clock.h"

namespace tidewell {

class TaskListModel;

// The task list of the main window: full-row selection, grid lines, placeholder records drawn
// as thin group separators, column widths that follow the screen width.
class CTidewellView final : public QTableView {
    Q_OBJECT

public:
    static constexpr int kSeparatorHeight = 6;

    CTidewellView(TaskList& list, const Clock& clock, bool cjk, QWidget* parent = nullptr);

    TaskListModel& Model() { return *m_model; }
    // Rebuilds the columns with the widths for a screen `screenWidth` pixels wide.
    void SetUpColumns(int screenWidth);
    // The list was replaced: rows, separators and selection are set up again.
    void ResetRows();
    // Redraws one row, every row for -1, the selected row for -2.
    void FillTRList(int index);
    // The selected task's position; nothing when no task is selected.
    std::optional<size_t> SelectedIndex() const;
    void SelectIndex(size_t index);

signals:
    void selectionChangedTo(std::optional<size_t> index);

private:
    void MarkSeparators();

    TaskList& m_list;
    TaskListModel* m_model;
    const bool m_cjk;
};

}  // namespace tidewell
