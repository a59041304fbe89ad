#pragma once

#include <QAbstractTableModel>
#include <array>
#include <vector>

#include "app/main_window/column_widths.h"
#include "model/task_list.h"
#include "overview/description.h"
#include "time/clock.h"

namespace tidewell {

// The task list as a table of the six columns. Placeholder records come through as empty,
// unselectable rows marked with kPlaceholderRole; the view draws them as group separators.
// The model keeps the texts it last told the view about, so that a refresh redraws only the
// cells whose text changed: an idle second with nothing new costs no drawing at all.
class TaskListModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int kPlaceholderRole = Qt::UserRole + 1;

    TaskListModel(TaskList& list, const Clock& clock, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The list was replaced or rows came and went.
    void Reset();
    // How month lists read in the Description column; the caller resets the rows after.
    void SetDescriptionOptions(const DescriptionOptions& options) { m_descriptionOptions = options; }
    // Redraws the changed cells of one row, or of every row for -1.
    void RefreshRow(int row);
    // Each second: redraws the cells whose texts the passing time alone can change (the Next
    // Run of a count-down or At Logon task, a randomization marker), where they changed.
    void RefreshTimedCells();

private:
    struct ShownRow {
        std::array<QString, kTaskColumnCount> texts;
        bool enabled = true;  // a disabled task's row is greyed
        bool placeholder = false;
        bool SameLook(const ShownRow& other) const {
            return enabled == other.enabled && placeholder == other.placeholder;
        }
    };

    QString Text(const TaskRecord& task, int column) const;
    ShownRow Shown(const TaskRecord& task) const;
    // True when the list and the texts kept still match row for row; otherwise resets.
    bool InStep();
    void RefreshCell(int row, int column);

    TaskList& m_list;
    const Clock& m_clock;
    DescriptionOptions m_descriptionOptions;
    std::vector<ShownRow> m_shown;  // what the view was last told, row by row
};

}  // namespace tidewell
