#include "app/main_window/task_list_model.h"

#include <QApplication>
#include <QPalette>

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
    m_shown.clear();
    m_shown.reserve(m_list.size());
    for (const TaskRecord& task : m_list) m_shown.push_back(Shown(task));
    endResetModel();
}

bool TaskListModel::InStep() {
    if (m_shown.size() == m_list.size()) return true;
    Reset();
    return false;
}

void TaskListModel::RefreshRow(int row) {
    if (!InStep() || row >= static_cast<int>(m_list.size())) return;
    const int first = row < 0 ? 0 : row;
    const int last = row < 0 ? static_cast<int>(m_list.size()) - 1 : row;
    for (int r = first; r <= last; ++r) {
        ShownRow now = Shown(m_list[static_cast<size_t>(r)]);
        ShownRow& shown = m_shown[static_cast<size_t>(r)];
        if (!now.SameLook(shown)) {
            shown = std::move(now);
            emit dataChanged(index(r, 0), index(r, kTaskColumnCount - 1));
            continue;
        }
        for (int column = 0; column < kTaskColumnCount; ++column) {
            QString& text = shown.texts[static_cast<size_t>(column)];
            if (text == now.texts[static_cast<size_t>(column)]) continue;
            text = std::move(now.texts[static_cast<size_t>(column)]);
            emit dataChanged(index(r, column), index(r, column));
        }
    }
}

void TaskListModel::RefreshTimedCells() {
    if (!InStep()) return;
    for (size_t row = 0; row < m_list.size(); ++row) {
        const TaskRecord& task = m_list[row];
        if (IsPlaceholderTask(task)) continue;
        const ScheduleType type = task.scheduleInfo.type;
        if (type == ScheduleType::countDown || type == ScheduleType::atLogon)
            RefreshCell(static_cast<int>(row), kNextRunColumn);
        if (task.randomizationInfo.enable) RefreshCell(static_cast<int>(row), kDescriptionColumn);
    }
}

void TaskListModel::RefreshCell(int row, int column) {
    QString now = Text(m_list[static_cast<size_t>(row)], column);
    QString& shown = m_shown[static_cast<size_t>(row)].texts[static_cast<size_t>(column)];
    if (now == shown) return;
    shown = std::move(now);
    emit dataChanged(index(row, column), index(row, column));
}

TaskListModel::ShownRow TaskListModel::Shown(const TaskRecord& task) const {
    ShownRow row;
    row.enabled = task.enabled;
    row.placeholder = IsPlaceholderTask(task);
    if (row.placeholder) return row;
    for (int column = 0; column < kTaskColumnCount; ++column)
        row.texts[static_cast<size_t>(column)] = Text(task, column);
    return row;
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
