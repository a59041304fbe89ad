#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "overview/agenda.h"

namespace tidewell {

// The runs of a Quick View as a table: run time, title, schedule type, description. Each
// task's texts are made once; a row's time text only when the row is drawn, so a range of
// many thousands of runs costs little.
class QuickViewRunsModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { kRunTimeColumn, kTitleColumn, kTypeColumn, kDescriptionColumn, kColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // `texts` holds the title, type and description of every task of the list, by index.
    void SetRuns(std::vector<AgendaRun> runs, std::vector<QStringList> texts, const DateTime& now);
    // The first run that is not gone by, or -1.
    int FirstComingRow() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<AgendaRun> m_runs;
    std::vector<QStringList> m_texts;
    DateTime m_now;
};

}  // namespace tidewell
