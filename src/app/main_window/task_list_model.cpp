#include "app/main_window/task_list_model.h"

#include <QApplication>
#include <QPalette>

#include "app/main_window/column_widths.h"
#include "app/widgets/qt_text.h"
#include "overview/task_texts.h"
#include "timing/run_text.h"
#include "timing/schedule_type_name.h"

namespace tidewell {
namespace {

constexpr int32_t kColumnCaptions[kTaskColumnCount] = {
    IDS_KLN_TITLE,
    IDS_TIDEWELL_KLN_SCHEDULE_TYPE,
    IDS_KLN_DESCRIPTION,
    IDS_TIDEWELL_KLN_NEXT_RUN,
    IDS_TIDEWELL_KLN_LAST_RUN,
    IDS_KLN_STATUS,
};

}  // namespace

TaskListModel::TaskListModel(TaskList& list, const Clock& clock, QObject* parent)
    : QAbstractTableModel(parent), m_list(list), m_clock(clock) {}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_list.size());
}

int TaskListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kTaskColumnCount;
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= m_list.size()) return {};
    const TaskRecord& task = m_list[static_cast<size_t>(index.row())];
    const bool placeholder = IsPlaceholderTask(task);
    switch (role) {
        case Qt::DisplayRole: return placeholder ? QString() : Text(task, index.column());
        case Qt::ToolTipRole:
            return placeholder || index.column() != kDescriptionColumn ? QVariant()
                                                                       : Text(task, index.column());
        case Qt::BackgroundRole:
            return placeholder ? QVariant(QApplication::palette().color(QPalette::Mid)) : QVariant();
        case Qt::ForegroundRole:
            return !placeholder && !task.enabled
                       ? QVariant(QApplication::palette().color(QPalette::Disabled, QPalette::Text))
                       : QVariant();
        case kPlaceholderRole: return placeholder;
        default: return {};
    }
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kTaskColumnCount) return {};
    if (role == Qt::DisplayRole) return MessageText(kColumnCaptions[section]);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags TaskListModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= m_list.size()) return Qt::NoItemFlags;
    if (IsPlaceholderTask(m_list[static_cast<size_t>(index.row())])) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void TaskListModel::Reset() {
    beginResetModel();
    endResetModel();
}

void TaskListModel::RefreshRow(int row) {
    if (m_list.empty()) return;
    const int last = static_cast<int>(m_list.size()) - 1;
    if (row > last) return;
    const int first = row < 0 ? 0 : row;
    emit dataChanged(index(first, 0), index(row < 0 ? last : row, kTaskColumnCount - 1));
}

void TaskListModel::RefreshCountDownRows() {
    for (size_t row = 0; row < m_list.size(); ++row) {
        const TaskRecord& task = m_list[row];
        if (task.scheduleInfo.type == ScheduleType::countDown && task.scheduleInfo.countDownRunning) {
            const int r = static_cast<int>(row);
            emit dataChanged(index(r, kNextRunColumn), index(r, kNextRunColumn));
        }
    }
}

QString TaskListModel::Text(const TaskRecord& task, int column) const {
    switch (column) {
        case kTitleColumn: return ToQString(task.title);
        case kScheduleTypeColumn: return ToQString(ScheduleTypeName(task.scheduleInfo.type));
        case kDescriptionColumn:
            return DisplayText(TaskDescriptionText(task, m_descriptionOptions, m_clock.Now()))
                .replace('\n', ' ');
        case kNextRunColumn: return ToQString(NextRunColumnText(m_clock.Now(), task));
        case kLastRunColumn: return ToQString(LastRunText(task));
        case kStatusColumn: return ToQString(TaskStatusText(task));
        default: return {};
    }
}

}  // namespace tidewell
