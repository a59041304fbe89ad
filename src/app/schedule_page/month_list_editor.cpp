#include "app/schedule_page/month_list_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <algorithm>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/typed_date_time.h"
#include "model/list_entry_text.h"
#include "overview/description.h"
#include "text/list_texts.h"
#include "text/messages.h"
#include "timing/list_order.h"

namespace tidewell {
namespace {

constexpr int kMonths = 12;
constexpr int kLastWeekOrdinal = 5;
constexpr int kPickerRows = 6;

QString Name(bool yearly, const char* part) {
    return QString::fromLatin1(yearly ? "yearly" : "monthly") + QString::fromLatin1(part);
}

}  // namespace

CMonthListEditor::CMonthListEditor(bool yearly, SheetContext& context, QWidget* parent)
    : CListEditor(context, Name(yearly, ""), parent),
      m_yearly(yearly),
      m_months(new QListWidget(this)),
      m_byDay(new QRadioButton(
          ToQString(LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS, kMonthSelectorDayNumberFormLine)), this)),
      m_day(new QSpinBox(this)),
      m_byWeekday(new QRadioButton(
          ToQString(LoadMessageLine(IDS_TIDEWELL_STMT_STRINGS, kMonthSelectorWeekdayFormLine)), this)),
      m_ordinal(new QComboBox(this)),
      m_weekday(new QComboBox(this)),
      m_time(new CTimeField(this)) {
    m_months->setObjectName(Name(yearly, "MonthPicker"));
    m_byDay->setObjectName(Name(yearly, "ByDayRadio"));
    m_day->setObjectName(Name(yearly, "DaySpin"));
    m_day->setRange(1, 31);
    m_byWeekday->setObjectName(Name(yearly, "ByWeekdayRadio"));
    m_ordinal->setObjectName(Name(yearly, "OrdinalCombo"));
    m_weekday->setObjectName(Name(yearly, "WeekdayCombo"));
    m_time->setObjectName(Name(yearly, "Time"));
    m_time->setDisplayFormat(QString::fromLatin1(kTimeEditFormat));
    m_months->addItem(ToQString(EveryMonthCaption()));
    for (int month = 1; month <= kMonths; ++month)
        m_months->addItem(ToQString(MonthName(month, kMonthFormatFull)));
    for (int row = 0; row < m_months->count(); ++row)
        m_months->item(row)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    m_months->setFixedHeight(m_months->sizeHintForRow(0) * kPickerRows + 2 * m_months->frameWidth());
    for (int ordinal = 1; ordinal <= kLastWeekOrdinal; ++ordinal)
        m_ordinal->addItem(ToQString(WeekOrdinalName(ordinal)), ordinal);
    // Weekdays of month entries count from 0 = Monday.
    for (int day = 1; day <= 7; ++day) m_weekday->addItem(ToQString(WeekdayName(day)), day - 1);

    QLabel* monthsLabel = BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_MONTHS_O, m_months, this, "");
    monthsLabel->setObjectName(Name(yearly, "MonthsLabel"));
    monthsLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel* timeLabel = BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_TIME_I, m_time, this, "");
    timeLabel->setObjectName(Name(yearly, "TimeLabel"));
    auto* controls = new QGridLayout;
    controls->addWidget(monthsLabel, 0, 0);
    controls->addWidget(m_months, 0, 1, 1, 2);
    controls->addWidget(m_byDay, 1, 0);
    controls->addWidget(m_day, 1, 1, Qt::AlignLeft);
    controls->addWidget(m_byWeekday, 2, 0);
    controls->addWidget(m_ordinal, 2, 1);
    controls->addWidget(m_weekday, 2, 2);
    controls->addWidget(timeLabel, 3, 0);
    controls->addWidget(m_time, 3, 1, Qt::AlignLeft);
    Build(controls);

    const DateTime now = context.clock.Now();
    MonthlyItem start;
    start.everyMonth = !yearly;
    if (yearly) start.months[static_cast<size_t>(now.GetMonth() - 1)] = true;
    start.day = now.GetDay();
    start.time = DateTime::FromParts(1899, 12, 30, now.GetHour(), now.GetMinute(), 0);
    SetEdited(start);
    connect(m_byDay, &QRadioButton::toggled, this, &CMonthListEditor::UpdateControls);
    connect(m_months, &QListWidget::itemChanged, this, &CMonthListEditor::UpdateControls);
}

void CMonthListEditor::Load(const ScheduleInfo& schedule) {
    m_entries = m_yearly ? schedule.yearly : schedule.monthly;
    OrderMonthList(m_entries);
    Refill(-1);
}

void CMonthListEditor::Store(ScheduleInfo& schedule) const {
    (m_yearly ? schedule.yearly : schedule.monthly) = m_entries;
}

void CMonthListEditor::SetEdited(const MonthlyItem& item) {
    const QSignalBlocker blocker(m_months);
    m_months->item(0)->setCheckState(item.everyMonth ? Qt::Checked : Qt::Unchecked);
    for (int month = 1; month <= kMonths; ++month) {
        const bool on = !item.everyMonth && item.months[static_cast<size_t>(month - 1)];
        m_months->item(month)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    m_byDay->setChecked(item.byDayNumber);
    m_byWeekday->setChecked(!item.byDayNumber);
    m_day->setValue(std::clamp(item.day, 1, 31));
    SelectCode(m_ordinal, item.weekOrdinal);
    SelectCode(m_weekday, item.weekday);
    m_time->setTime(ToQTime(item.time));
    UpdateControls();
}

QString CMonthListEditor::Text(int index) const {
    return ToQString(DescribeMonthList({m_entries[static_cast<size_t>(index)]}, Context().descriptions));
}

std::string CMonthListEditor::Refusal(int skip) const {
    const MonthlyItem edited = Edited();
    if (!edited.everyMonth &&
        std::none_of(edited.months.begin(), edited.months.end(), [](bool on) { return on; }))
        return LoadMessage(IDS_TIDEWELL_ERROR_NO_DAY_SELECTED);
    const std::string text = MonthlyEntryText(edited);
    for (int i = 0; i < Count(); ++i) {
        if (i != skip && MonthlyEntryText(m_entries[static_cast<size_t>(i)]) == text)
            return LoadMessage(IDS_TIDEWELL_ERROR_TIME_EXISTS_CHOOSE_ANOTHER);
    }
    return {};
}

int CMonthListEditor::Put(int index) {
    const MonthlyItem edited = Edited();
    if (index >= 0 && index < Count()) {
        m_entries[static_cast<size_t>(index)] = edited;
    } else {
        m_entries.push_back(edited);
    }
    OrderMonthList(m_entries);
    const std::string text = MonthlyEntryText(edited);
    for (int i = 0; i < Count(); ++i) {
        if (MonthlyEntryText(m_entries[static_cast<size_t>(i)]) == text) return i;
    }
    return -1;
}

void CMonthListEditor::Erase(int index) {
    m_entries.erase(m_entries.begin() + index);
}

void CMonthListEditor::Show(int index) {
    SetEdited(m_entries[static_cast<size_t>(index)]);
}

MonthlyItem CMonthListEditor::Edited() const {
    MonthlyItem item;
    item.everyMonth = m_months->item(0)->checkState() == Qt::Checked;
    for (int month = 1; month <= kMonths; ++month)
        item.months[static_cast<size_t>(month - 1)] =
            item.everyMonth || m_months->item(month)->checkState() == Qt::Checked;
    item.byDayNumber = m_byDay->isChecked();
    item.day = m_day->value();
    item.weekOrdinal = SelectedCode(m_ordinal);
    item.weekday = SelectedCode(m_weekday);
    item.time = TimeOfDayValue(m_time->time());
    return item;
}

void CMonthListEditor::UpdateControls() {
    const bool byDay = m_byDay->isChecked();
    m_day->setEnabled(byDay);
    m_ordinal->setEnabled(!byDay);
    m_weekday->setEnabled(!byDay);
    // Every month covers the single months: they are greyed while it is on.
    const bool every = m_months->item(0)->checkState() == Qt::Checked;
    const QSignalBlocker blocker(m_months);
    for (int month = 1; month <= kMonths; ++month) {
        QListWidgetItem* item = m_months->item(month);
        item->setForeground(every ? palette().color(QPalette::Disabled, QPalette::Text)
                                  : palette().color(QPalette::Text));
    }
}

}  // namespace tidewell
