#include "app/dialogs/quick_view_editor.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "text/list_texts.h"
#include "ui_ports/message_box.h"

namespace tidewell {
namespace {

QComboBox* WeekdayCombo(const char* name, int weekday, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (int day = 1; day <= 7; ++day) combo->addItem(ToQString(WeekdayName(day)));
    combo->setCurrentIndex(weekday - 1);
    return combo;
}

QComboBox* UnitCombo(const char* name, QuickViewUnit unit, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (int32_t id : {IDS_TIDEWELL_UNIT_DAYS, IDS_TIDEWELL_UNIT_WEEKS, IDS_TIDEWELL_UNIT_MONTHS})
        combo->addItem(MessageText(id));
    combo->setCurrentIndex(static_cast<int>(unit) - 1);
    return combo;
}

QSpinBox* CountSpin(const char* name, int minimum, int value, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, kQuickViewMaxCount);
    spin->setValue(value);
    return spin;
}

QDateEdit* DateEdit(const char* name, const DateTime& date, QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(name);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit->setDateRange(QDate(100, 1, 1), QDate(9999, 12, 31));
    if (date.IsValid()) edit->setDate(QDate(date.GetYear(), date.GetMonth(), date.GetDay()));
    return edit;
}

DateTime DateOf(const QDateEdit* edit) {
    const QDate date = edit->date();
    return DateTime::FromParts(date.year(), date.month(), date.day());
}

QLabel* Words(int32_t id, QWidget* parent) {
    return new QLabel(MessageText(id), parent);
}

}  // namespace

QuickViewEditor::QuickViewEditor(Mode mode, const QuickViewRecord& record, MessageBoxService& messageBox,
                                 QWidget* parent)
    : QDialog(parent), m_mode(mode), m_record(record), m_messageBox(messageBox) {
    setObjectName("quickViewEditor");
    const int32_t titleId = mode == Mode::add    ? IDS_TIDEWELL_QVI_UI_TITLE_ADD
                            : mode == Mode::edit ? IDS_TIDEWELL_QVI_UI_TITLE_EDIT
                                                 : IDS_TIDEWELL_OPT_QV_TITLE;
    setWindowTitle(MessageText(titleId));
    auto* layout = new QVBoxLayout(this);
    if (mode != Mode::onSpot) {
        auto* titleRow = new QFormLayout;
        m_title = new QLineEdit(ToQString(record.title), this);
        m_title->setObjectName("quickViewTitleEdit");
        auto* label = Words(IDS_TIDEWELL_TASKPAGE_TITLE_T, this);
        label->setBuddy(m_title);
        titleRow->addRow(label, m_title);
        layout->addLayout(titleRow);
    }
    BuildRows(this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("quickViewEditorOk");
    ok->setDefault(true);
    buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole)
        ->setObjectName("quickViewEditorCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QuickViewEditor::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    UpdateEnabled();
}

void QuickViewEditor::BuildRows(QWidget* parent) {
    const QuickViewRecord& r = m_record;
    const int32_t typeIds[4] = {IDS_TIDEWELL_QVI_UI_1_IN_I, IDS_TIDEWELL_QVI_UI_2_IN_THE_RECENT,
                                IDS_TIDEWELL_QVI_UI_3_FROM_PAST_F, IDS_TIDEWELL_QVI_UI_4_BETWEEN_B};
    auto* grid = new QGridLayout;
    for (int type = 0; type < 4; ++type) {
        m_types[type] = new QRadioButton(MessageText(typeIds[type]), parent);
        m_types[type]->setObjectName(QStringLiteral("quickViewType%1").arg(type + 1));
        grid->addWidget(m_types[type], type, 0);
    }
    m_types[static_cast<int>(r.type) - 1]->setChecked(true);

    m_period = new QComboBox(parent);
    m_period->setObjectName("quickViewPeriod");
    for (const std::string& line : SplitLines(LoadMessage(IDS_TIDEWELL_QVI_UI_1_TYPE_LIST)))
        m_period->addItem(ToQString(line));
    m_period->setCurrentIndex(static_cast<int>(r.period) - 1);
    m_firstWeekday = WeekdayCombo("quickViewFirstWeekday", r.firstWeekday, parent);
    m_lastWeekday = WeekdayCombo("quickViewLastWeekday", r.lastWeekday, parent);
    m_recentCount = CountSpin("quickViewRecentCount", 1, r.recentCount, parent);
    m_recentUnit = UnitCombo("quickViewRecentUnit", r.recentUnit, parent);
    m_recentStart = WeekdayCombo("quickViewRecentStart", r.recentStartWeekday, parent);
    m_pastCount = CountSpin("quickViewPastCount", 0, r.pastCount, parent);
    m_pastUnit = UnitCombo("quickViewPastUnit", r.pastUnit, parent);
    m_nextCount = CountSpin("quickViewNextCount", 0, r.nextCount, parent);
    m_nextUnit = UnitCombo("quickViewNextUnit", r.nextUnit, parent);
    m_from = DateEdit("quickViewFrom", r.from, parent);
    m_to = DateEdit("quickViewTo", r.to, parent);

    const std::vector<std::vector<QWidget*>> rows = {
        {m_period, Words(IDS_TIDEWELL_QVI_UI_1_FROM, parent), m_firstWeekday,
         Words(IDS_TIDEWELL_QVI_UI_1_TO, parent), m_lastWeekday},
        {m_recentCount, m_recentUnit, Words(IDS_TIDEWELL_QVI_UI_2_STARTING_FROM, parent), m_recentStart},
        {m_pastCount, m_pastUnit, Words(IDS_TIDEWELL_QVI_UI_3_TO_NEXT, parent), m_nextCount, m_nextUnit},
        {m_from, Words(IDS_TIDEWELL_QVI_UI_4_AND_LEFT, parent), m_to,
         Words(IDS_TIDEWELL_QVI_UI_4_AND_RIGHT, parent)},
    };
    for (int row = 0; row < 4; ++row) {
        auto* line = new QHBoxLayout;
        for (QWidget* widget : rows[static_cast<std::size_t>(row)]) line->addWidget(widget);
        line->addStretch(1);
        grid->addLayout(line, row, 1);
    }
    grid->setColumnStretch(1, 1);
    // Connected once every control exists: setting the first values above must not reach them.
    for (QRadioButton* type : m_types)
        connect(type, &QRadioButton::toggled, this, &QuickViewEditor::UpdateEnabled);
    connect(m_period, &QComboBox::currentIndexChanged, this, &QuickViewEditor::UpdateEnabled);
    connect(m_recentUnit, &QComboBox::currentIndexChanged, this, &QuickViewEditor::UpdateEnabled);
    static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

void QuickViewEditor::UpdateEnabled() {
    const bool thisWeek = m_period->currentIndex() + 1 == static_cast<int>(QuickViewPeriod::thisWeek);
    m_firstWeekday->setEnabled(m_types[0]->isChecked() && thisWeek);
    m_lastWeekday->setEnabled(m_types[0]->isChecked() && thisWeek);
    m_period->setEnabled(m_types[0]->isChecked());
    const bool weeks = m_recentUnit->currentIndex() + 1 == static_cast<int>(QuickViewUnit::weeks);
    for (QWidget* widget : {static_cast<QWidget*>(m_recentCount), static_cast<QWidget*>(m_recentUnit)})
        widget->setEnabled(m_types[1]->isChecked());
    m_recentStart->setEnabled(m_types[1]->isChecked() && weeks);
    for (QWidget* widget : {static_cast<QWidget*>(m_pastCount), static_cast<QWidget*>(m_pastUnit),
                            static_cast<QWidget*>(m_nextCount), static_cast<QWidget*>(m_nextUnit)})
        widget->setEnabled(m_types[2]->isChecked());
    m_from->setEnabled(m_types[3]->isChecked());
    m_to->setEnabled(m_types[3]->isChecked());
}

QuickViewRecord QuickViewEditor::Record() const {
    QuickViewRecord record = m_record;
    if (m_title != nullptr) record.title = ToStdString(m_title->text().trimmed());
    for (int type = 0; type < 4; ++type) {
        if (m_types[type]->isChecked()) record.type = static_cast<QuickViewType>(type + 1);
    }
    record.period = static_cast<QuickViewPeriod>(m_period->currentIndex() + 1);
    record.firstWeekday = m_firstWeekday->currentIndex() + 1;
    record.lastWeekday = m_lastWeekday->currentIndex() + 1;
    record.recentCount = m_recentCount->value();
    record.recentUnit = static_cast<QuickViewUnit>(m_recentUnit->currentIndex() + 1);
    record.recentStartWeekday = m_recentStart->currentIndex() + 1;
    record.pastCount = m_pastCount->value();
    record.pastUnit = static_cast<QuickViewUnit>(m_pastUnit->currentIndex() + 1);
    record.nextCount = m_nextCount->value();
    record.nextUnit = static_cast<QuickViewUnit>(m_nextUnit->currentIndex() + 1);
    record.from = DateOf(m_from);
    record.to = DateOf(m_to);
    return record;
}

void QuickViewEditor::accept() {
    const QuickViewRecord record = Record();
    std::string problem;
    if (record.type == QuickViewType::between && record.from.DayNumber() > record.to.DayNumber()) {
        problem = LoadMessage(IDS_TIDEWELL_ERROR_ENDING_TIME_EARLIER_THAN_STARTING_TIME);
    } else if (!IsValidQuickView(record)) {
        problem = ReplaceAll(LoadMessage(IDS_ERROR_STRING_TERM_CONTAIN_INVALID_CHARACTERS), "#1",
                             LoadMessage(IDS_KLN_TITLE));
    }
    if (!problem.empty()) {
        m_messageBox.ShowMessageBox(problem, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    QDialog::accept();
}

}  // namespace tidewell
