#include "app/main_window/tidewell_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "app/main_window/task_list_model.h"
#include "app/widgets/qt_text.h"
#include "timing/schedule_type_name.h"

namespace tidewell {
namespace {

// The room a cell leaves around its text.
constexpr int kCellPadding = 8;

}  // namespace

CTidewellView::CTidewellView(TaskList& list, const Clock& clock, bool cjk, QWidget* parent)
    : QTableView(parent), m_list(list), m_model(new TaskListModel(list, clock, this)), m_cjk(cjk) {
    setObjectName("taskList");
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideRight);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(kSeparatorHeight);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectionChangedTo(SelectedIndex()); });
    MarkSeparators();
}

void CTidewellView::SetUpColumns(int screenWidth) {
    ColumnWidthSet widths = TaskColumnWidths(screenWidth, m_cjk);
    // A schedule type is read whole; the description gives up what it needs.
    int typeWidth = 0;
    for (int code = 0; code < kScheduleTypeCount; ++code) {
        const QString name = ToQString(ScheduleTypeName(static_cast<ScheduleType>(code)));
        typeWidth = std::max(typeWidth, fontMetrics().horizontalAdvance(name) + 2 * kCellPadding);
    }
    const int wider = std::min(typeWidth - widths[kScheduleTypeColumn], widths[kDescriptionColumn] / 2);
    if (wider > 0) {
        widths[kScheduleTypeColumn] += wider;
        widths[kDescriptionColumn] -= wider;
    }
    for (int column = 0; column < kTaskColumnCount; ++column) setColumnWidth(column, widths[column]);
}

void CTidewellView::ResetRows() {
    std::optional<size_t> selected = SelectedIndex();
    m_model->Reset();
    MarkSeparators();
    if (selected && *selected < m_list.size()) SelectIndex(*selected);
}

void CTidewellView::FillTRList(int index) {
    if (index == -2) {
        if (std::optional<size_t> selected = SelectedIndex())
            m_model->RefreshRow(static_cast<int>(*selected));
        return;
    }
    m_model->RefreshRow(index);
}

std::optional<size_t> CTidewellView::SelectedIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    const size_t row = static_cast<size_t>(rows.front().row());
    if (row >= m_list.size() || IsPlaceholderTask(m_list[row])) return std::nullopt;
    return row;
}

void CTidewellView::SelectIndex(size_t index) {
    if (index >= m_list.size()) return;
    const QModelIndex cell = m_model->index(static_cast<int>(index), 0);
    selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    scrollTo(cell);
}

void CTidewellView::MarkSeparators() {
    clearSpans();
    const int rowHeight = verticalHeader()->defaultSectionSize();
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const bool separator = m_model->index(row, 0).data(TaskListModel::kPlaceholderRole).toBool();
        if (separator) setSpan(row, 0, 1, kTaskColumnCount);
        setRowHeight(row, separator ? kSeparatorHeight : rowHeight);
    }
}

}  // namespace tidewell
