#include "app/schedule_page/list_editor.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/typed_date_time.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/list_order.h"
#include "timing/sub_repeat.h"
#include "timing/validation.h"

namespace tidewell {
namespace {

constexpr int kListMinimumWidth = 200;
constexpr int kDaysPerWeek = 7;

QPushButton* ListButton(int32_t id, QWidget* parent, const QString& name) {
    auto* button = new QPushButton(MessageText(id), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

// A list without the entry at `skip`.
template <typename Entry>
std::vector<Entry> Without(const std::vector<Entry>& entries, int skip) {
    std::vector<Entry> others = entries;
    if (skip >= 0 && skip < static_cast<int>(others.size())) others.erase(others.begin() + skip);
    return others;
}

template <typename Entry>
void PutEntry(std::vector<Entry>& entries, int index, const Entry& entry) {
    if (index >= 0 && index < static_cast<int>(entries.size())) {
        entries[static_cast<size_t>(index)] = entry;
    } else {
        entries.push_back(entry);
    }
}

QString KindName(CTimeListEditor::Kind kind) {
    return kind == CTimeListEditor::Kind::daily ? QStringLiteral("daily") : QStringLiteral("once");
}

QTimeEdit* TimeEditor(QWidget* parent, const QString& name, const Clock& clock) {
    auto* edit = new CTimeField(parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QString::fromLatin1(kTimeEditFormat));
    const DateTime now = clock.Now();
    edit->setTime(QTime(now.GetHour(), now.GetMinute(), 0));
    return edit;
}

}  // namespace

CListEditor::CListEditor(SheetContext& context, const QString& name, QWidget* parent)
    : CSchedulePart(context, parent),
      m_list(new QListWidget(this)),
      m_add(ListButton(IDS_DIALOG_ADD_A, this, name + "AddButton")),
      m_modify(ListButton(IDS_DIALOG_MODIFY_M, this, name + "ModifyButton")),
      m_remove(ListButton(IDS_TIDEWELL_SCHEDULEPAGE_REMOVE_R, this, name + "RemoveButton")) {
    setObjectName(name + "Editor");
    m_list->setObjectName(name + "List");
    m_list->setMinimumWidth(kListMinimumWidth);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->installEventFilter(this);
    connect(m_add, &QPushButton::clicked, this, &CListEditor::AddEntry);
    connect(m_modify, &QPushButton::clicked, this, &CListEditor::ModifyEntry);
    connect(m_remove, &QPushButton::clicked, this, &CListEditor::RemoveEntry);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) Show(row);
        UpdateButtons();
    });
    // A mouse click makes the row current before it selects it: the buttons follow the selection.
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CListEditor::UpdateButtons);
}

void CListEditor::Build(QGridLayout* entryControls) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_modify);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto* side = new QVBoxLayout;
    side->addLayout(entryControls);
    side->addLayout(buttons);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(side, 1);
    // Tab goes through the entry's controls, then the buttons, then the list.
    QList<QWidget*> order;
    for (int row = 0; row < entryControls->rowCount(); ++row) {
        for (int column = 0; column < entryControls->columnCount(); ++column) {
            QLayoutItem* item = entryControls->itemAtPosition(row, column);
            QWidget* widget = item != nullptr ? item->widget() : nullptr;
            if (widget != nullptr && widget->focusPolicy() != Qt::NoFocus && !order.contains(widget))
                order << widget;
        }
    }
    order << m_add << m_modify << m_remove << m_list;
    for (qsizetype i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    UpdateButtons();
}

void CListEditor::Refill(int select) {
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (int i = 0; i < Count(); ++i) m_list->addItem(Text(i));
    if (select >= 0 && select < Count()) {
        m_list->setCurrentRow(select);
        m_list->scrollToItem(m_list->item(select));
        Show(select);  // after Remove the controls would still hold the entry that went
    }
    UpdateButtons();
}

bool CListEditor::AddEntry() {
    const std::string refusal = Refusal(-1);
    if (!refusal.empty()) {
        Refuse(refusal);
        return false;
    }
    Refill(Put(Count()));
    return true;
}

bool CListEditor::ModifyEntry() {
    const int selected = Selected();
    if (selected < 0) return false;
    const std::string refusal = Refusal(selected);
    if (!refusal.empty()) {
        Refuse(refusal);
        return false;
    }
    Refill(Put(selected));
    return true;
}

void CListEditor::RemoveEntry() {
    const int selected = Selected();
    if (selected < 0) return;
    Erase(selected);
    Refill(std::min(selected, Count() - 1));
}

int CListEditor::Selected() const {
    const int row = m_list->currentRow();
    return row >= 0 && row < Count() && m_list->item(row)->isSelected() ? row : -1;
}

void CListEditor::Refuse(const std::string& message) const {
    Context().messageBox.ShowMessageBox(message, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
}

void CListEditor::UpdateButtons() {
    const bool selected = Selected() >= 0;
    m_modify->setEnabled(selected);
    m_remove->setEnabled(selected);
}

bool CListEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        RemoveEntry();
        return true;
    }
    return CSchedulePart::eventFilter(watched, event);
}

// ---- Daily and Once ----

CTimeListEditor::CTimeListEditor(Kind kind, SheetContext& context, QWidget* parent)
    : CListEditor(context, KindName(kind), parent),
      m_kind(kind),
      m_time(TimeEditor(this, KindName(kind) + "Time", context.clock)) {
    auto* controls = new QGridLayout;
    int row = 0;
    if (kind == Kind::once) {
        m_date = new CDateField(this);
        m_date->setObjectName("onceDate");
        m_date->setDisplayFormat(QString::fromLatin1(kDateEditFormat));
        m_date->setCalendarPopup(true);
        const DateTime now = context.clock.Now();
        m_date->setDate(QDate(now.GetYear(), now.GetMonth(), now.GetDay()));
        controls->addWidget(BuddyLabel(IDS_TIDEWELL_DIALOG_DATE_D, m_date, this, "onceDateLabel"), row, 0);
        controls->addWidget(m_date, row++, 1);
    }
    QLabel* timeLabel = BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_TIME_I, m_time, this, "");
    timeLabel->setObjectName(KindName(kind) + "TimeLabel");
    controls->addWidget(timeLabel, row, 0);
    controls->addWidget(m_time, row, 1);
    controls->setColumnStretch(2, 1);
    Build(controls);
}

void CTimeListEditor::Load(const ScheduleInfo& schedule) {
    m_entries = m_kind == Kind::daily ? schedule.daily : schedule.once;
    OrderTimes(m_entries);
    Refill(-1);
}

void CTimeListEditor::Store(ScheduleInfo& schedule) const {
    if (m_kind == Kind::once) {
        schedule.once = m_entries;
        return;
    }
    schedule.daily = m_entries;
    // One repeat entry per time, as a loaded list has them.
    schedule.dailyRepeats.assign(m_entries.size(), DefaultSubRepeat(ScheduleType::daily));
}

void CTimeListEditor::SetEdited(const DateTime& value) {
    if (m_date != nullptr) m_date->setDate(QDate(value.GetYear(), value.GetMonth(), value.GetDay()));
    m_time->setTime(ToQTime(value));
}

QString CTimeListEditor::Text(int index) const {
    const DateTime& entry = m_entries[static_cast<size_t>(index)];
    return ToQString(entry.Format(m_kind == Kind::daily ? kTimeOfDayFormat : kStorageFormat));
}

std::string CTimeListEditor::Refusal(int skip) const {
    const std::vector<DateTime> others = Without(m_entries, skip);
    const Result isNew =
        m_kind == Kind::daily ? CheckDailyTimeIsNew(others, Edited()) : CheckOnceTimeIsNew(others, Edited());
    return isNew ? std::string() : isNew.message();
}

int CTimeListEditor::Put(int index) {
    const DateTime edited = Edited();
    PutEntry(m_entries, index, edited);
    OrderTimes(m_entries);
    return static_cast<int>(std::find(m_entries.begin(), m_entries.end(), edited) - m_entries.begin());
}

void CTimeListEditor::Erase(int index) {
    m_entries.erase(m_entries.begin() + index);
}

void CTimeListEditor::Show(int index) {
    SetEdited(m_entries[static_cast<size_t>(index)]);
}

DateTime CTimeListEditor::Edited() const {
    const QTime time = m_time->time();
    if (m_date == nullptr) return TimeOfDayValue(time);
    const QDate date = m_date->date();
    return DateTime::FromParts(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                               time.second());
}

// ---- Weekly ----

CWeeklyListEditor::CWeeklyListEditor(SheetContext& context, QWidget* parent)
    : CListEditor(context, QStringLiteral("weekly"), parent),
      m_weekday(new QComboBox(this)),
      m_time(TimeEditor(this, QStringLiteral("weeklyTime"), context.clock)) {
    m_weekday->setObjectName("weekdayCombo");
    for (int day = 1; day <= kDaysPerWeek; ++day) m_weekday->addItem(ToQString(WeekdayName(day)), day);
    auto* controls = new QGridLayout;
    controls->addWidget(BuddyLabel(IDS_TIDEWELL_STWT_DAY_D, m_weekday, this, "weekdayLabel"), 0, 0);
    controls->addWidget(m_weekday, 0, 1);
    controls->addWidget(BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_TIME_I, m_time, this, "weeklyTimeLabel"), 1, 0);
    controls->addWidget(m_time, 1, 1);
    controls->setColumnStretch(2, 1);
    Build(controls);
}

void CWeeklyListEditor::Load(const ScheduleInfo& schedule) {
    m_entries = schedule.weekly;
    OrderWeekly(m_entries);
    Refill(-1);
}

void CWeeklyListEditor::Store(ScheduleInfo& schedule) const {
    schedule.weekly = m_entries;
}

void CWeeklyListEditor::SetEdited(const WeeklyItem& item) {
    SelectCode(m_weekday, item.weekday);
    m_time->setTime(ToQTime(item.time));
}

QString CWeeklyListEditor::Text(int index) const {
    const WeeklyItem& entry = m_entries[static_cast<size_t>(index)];
    return QStringLiteral("%1 %2").arg(ToQString(WeekdayName(entry.weekday)),
                                       ToQString(entry.time.Format(kTimeOfDayFormat)));
}

std::string CWeeklyListEditor::Refusal(int skip) const {
    const Result isNew = CheckWeeklyTimeIsNew(Without(m_entries, skip), Edited());
    return isNew ? std::string() : isNew.message();
}

int CWeeklyListEditor::Put(int index) {
    const WeeklyItem edited = Edited();
    PutEntry(m_entries, index, edited);
    OrderWeekly(m_entries);
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&edited](const WeeklyItem& entry) {
        return entry.weekday == edited.weekday && entry.time == edited.time;
    });
    return static_cast<int>(found - m_entries.begin());
}

void CWeeklyListEditor::Erase(int index) {
    m_entries.erase(m_entries.begin() + index);
}

void CWeeklyListEditor::Show(int index) {
    SetEdited(m_entries[static_cast<size_t>(index)]);
}

WeeklyItem CWeeklyListEditor::Edited() const {
    return {SelectedCode(m_weekday), TimeOfDayValue(m_time->time())};
}

}  // namespace tidewell
