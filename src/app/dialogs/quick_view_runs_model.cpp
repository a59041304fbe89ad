#include "app/dialogs/quick_view_runs_model.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

#include "app/widgets/qt_text.h"
#include "timing/run_text.h"

namespace tidewell {

void QuickViewRunsModel::SetRuns(std::vector<AgendaRun> runs, std::vector<QStringList> texts,
                                 const DateTime& now) {
    beginResetModel();
    m_runs = std::move(runs);
    m_texts = std::move(texts);
    m_now = now;
    endResetModel();
}

int QuickViewRunsModel::FirstComingRow() const {
    auto coming = std::find_if(m_runs.begin(), m_runs.end(),
                               [this](const AgendaRun& run) { return run.time >= m_now; });
    return coming == m_runs.end() ? -1 : static_cast<int>(coming - m_runs.begin());
}

int QuickViewRunsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_runs.size());
}

int QuickViewRunsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant QuickViewRunsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= m_runs.size()) return {};
    const AgendaRun& run = m_runs[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == kRunTimeColumn) return ToQString(RunInstantText(run.time));
            return m_texts[run.task].value(index.column() - 1);
        case Qt::ToolTipRole:
            return index.column() == kDescriptionColumn ? m_texts[run.task].value(index.column() - 1)
                                                        : QVariant();
        case Qt::ForegroundRole:
            // The runs gone by are dimmed.
            return run.time < m_now
                       ? QVariant(QApplication::palette().brush(QPalette::Disabled, QPalette::Text))
                       : QVariant();
        default: return {};
    }
}

QVariant QuickViewRunsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    constexpr int32_t kCaptions[kColumnCount] = {IDS_TIDEWELL_KLN_RUN_TIME, IDS_KLN_TITLE,
                                                 IDS_TIDEWELL_KLN_SCHEDULE_TYPE, IDS_KLN_DESCRIPTION};
    return section >= 0 && section < kColumnCount ? MessageText(kCaptions[section]) : QVariant();
}

}  // namespace tidewell
