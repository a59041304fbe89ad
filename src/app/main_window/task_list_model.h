#pragma once

#include <QAbstractTableModel>

#include "model/task_list.h"
#include "overview/description.h"
#include "time/clock.h"

namespace tidewell {

// The task list as a table of the six columns. Placeholder records come through as empty,
// unselectable rows marked with kPlaceholderRole; the view draws them as group separators.
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
    // Redraws one row, or every row for -1.
    void RefreshRow(int row);
    // Redraws the rows of running count-downs, whose Next Run moves every second.
    void RefreshCountDownRows();

private:
    QString Text(const TaskRecord& task, int column) const;

    TaskList& m_list;
    const Clock& m_clock;
    DescriptionOptions m_descriptionOptions;
};

}  // namespace tidewell
