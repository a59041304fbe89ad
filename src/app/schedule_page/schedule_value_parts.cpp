#include "app/schedule_page/schedule_value_parts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/typed_date_time.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr int kMaxRepeatQuantity = 600;
constexpr int kMaxCountDownDays = 1000;
constexpr int kMaxLogonWait = 1440;
constexpr int kSecondsPerDayInt = static_cast<int>(kSecondsPerDay);

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(low, high);
    return spin;
}

QComboBox* UnitCombo(QWidget* parent, const char* name, TimeUnit last) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    FillUnits(combo, TimeUnit::seconds, last, TimeUnit::minutes);
    return combo;
}

// A part's controls in a frame named after its schedule type, with a note on what the type
// does below them, at the top of the space the list editors of other types fill.
QGridLayout* PartGroup(QWidget* part, int32_t typeName, const char* name) {
    auto* group = new QGroupBox(MessageText(typeName), part);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(group);
    layout->addStretch(1);
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(10);
    return grid;
}

void AddNote(QGridLayout* grid, int32_t id, const char* name) {
    grid->addWidget(TextLabel(id, grid->parentWidget(), name), grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

CRepeatingPart::CRepeatingPart(SheetContext& context, QWidget* parent)
    : CSchedulePart(context, parent),
      m_quantity(Spin(this, "repeatQuantity", 1, kMaxRepeatQuantity)),
      m_unit(UnitCombo(this, "repeatUnit", TimeUnit::days)) {
    setObjectName("repeatingPart");
    QGridLayout* grid = PartGroup(this, IDS_TIDEWELL_ST_REPEATING, "repeatGroup");
    grid->addWidget(BuddyLabel(IDS_TIDEWELL_STR_PERIOD_R, m_quantity, this, "repeatLabel"), 0, 0);
    grid->addWidget(m_quantity, 0, 1);
    grid->addWidget(m_unit, 0, 2);
    grid->setColumnStretch(3, 1);
    AddNote(grid, IDS_TIDEWELL_STR_NOTE, "repeatNote");
}

void CRepeatingPart::Load(const ScheduleInfo& schedule) {
    m_quantity->setValue(std::clamp(schedule.repeatQuantity, 1, kMaxRepeatQuantity));
    SelectCode(m_unit, static_cast<int>(schedule.repeatUnit));
}

void CRepeatingPart::Store(ScheduleInfo& schedule) const {
    schedule.repeatQuantity = m_quantity->value();
    schedule.repeatUnit = SelectedUnit(m_unit);
}

CCountDownPart::CCountDownPart(SheetContext& context, QWidget* parent)
    : CSchedulePart(context, parent),
      m_days(Spin(this, "countDownDays", 0, kMaxCountDownDays)),
      m_time(new CTimeField(this)),
      m_showDays(new QCheckBox(MessageText(IDS_TIDEWELL_STC_SHOW_DAYS_D), this)),
      m_units(new QLabel(this)) {
    setObjectName("countDownPart");
    m_time->setObjectName("countDownTime");
    m_time->setDisplayFormat(QString::fromLatin1(kTimeEditFormat));
    m_showDays->setObjectName("countDownShowDays");
    m_units->setObjectName("countDownUnits");
    QGridLayout* grid = PartGroup(this, IDS_TIDEWELL_ST_COUNTDOWN, "countDownGroup");
    grid->addWidget(BuddyLabel(IDS_TIDEWELL_STC_PLEASE_SET_TIME, m_days, this, "countDownLabel"), 0, 0, 1, 4);
    grid->addWidget(m_days, 1, 0);
    grid->addWidget(m_time, 1, 1);
    grid->addWidget(m_units, 1, 2);
    grid->addWidget(m_showDays, 2, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    AddNote(grid, IDS_TIDEWELL_STC_NOTE, "countDownNote");
    connect(m_showDays, &QCheckBox::toggled, this, &CCountDownPart::UpdateDays);
}

void CCountDownPart::Load(const ScheduleInfo& schedule) {
    const int seconds = std::clamp(schedule.countDownSeconds, 0, kSecondsPerDayInt - 1);
    const int days = std::clamp(schedule.countDownDays + schedule.countDownSeconds / kSecondsPerDayInt, 0,
                                kMaxCountDownDays);
    m_days->setValue(days);
    m_time->setTime(QTime(0, 0).addSecs(seconds));
    // A length of a day or more cannot be shown without its days.
    m_showDays->setChecked(schedule.countDownShowDays || days > 0);
    UpdateDays();
}

void CCountDownPart::Store(ScheduleInfo& schedule) const {
    schedule.countDownShowDays = m_showDays->isChecked();
    schedule.countDownDays = m_showDays->isChecked() ? m_days->value() : 0;
    schedule.countDownSeconds = QTime(0, 0).secsTo(m_time->time());
}

void CCountDownPart::UpdateDays() {
    const bool days = m_showDays->isChecked();
    m_days->setVisible(days);
    m_units->setText(MessageText(days ? IDS_TIDEWELL_STC_UNITS_DAY : IDS_TIDEWELL_STC_UNITS_NO_DAY));
    // The label's mnemonic reaches the first field shown.
    if (auto* prompt = findChild<QLabel*>("countDownLabel"))
        prompt->setBuddy(days ? static_cast<QWidget*>(m_days) : m_time);
}

CAtLogonPart::CAtLogonPart(SheetContext& context, QWidget* parent)
    : CSchedulePart(context, parent),
      m_rightAtLogon(new QRadioButton(MessageText(IDS_TIDEWELL_AT_LOGON_RIGHT_AT_LOGON_R), this)),
      m_wait(new QRadioButton(MessageText(IDS_TIDEWELL_AT_LOGON_WAIT_W), this)),
      m_quantity(Spin(this, "logonWaitQuantity", 1, kMaxLogonWait)),
      m_unit(UnitCombo(this, "logonWaitUnit", TimeUnit::minutes)) {
    setObjectName("atLogonPart");
    m_rightAtLogon->setObjectName("rightAtLogonRadio");
    m_wait->setObjectName("waitAfterLogonRadio");
    QGridLayout* grid = PartGroup(this, IDS_TIDEWELL_ST_AT_LOGON, "atLogonGroup");
    grid->addWidget(m_rightAtLogon, 0, 0, 1, 3);
    grid->addWidget(m_wait, 1, 0);
    grid->addWidget(m_quantity, 1, 1);
    grid->addWidget(m_unit, 1, 2);
    grid->setColumnStretch(3, 1);
    AddNote(grid, IDS_TIDEWELL_AT_LOGON_NOTE, "atLogonNote");
    connect(m_wait, &QRadioButton::toggled, this, &CAtLogonPart::UpdateEnabled);
}

void CAtLogonPart::Load(const ScheduleInfo& schedule) {
    m_rightAtLogon->setChecked(!schedule.atLogonWait);
    m_wait->setChecked(schedule.atLogonWait);
    m_quantity->setValue(std::clamp(schedule.atLogonWaitQuantity, 1, kMaxLogonWait));
    SelectCode(m_unit,
               std::min(static_cast<int>(schedule.atLogonWaitUnit), static_cast<int>(TimeUnit::minutes)));
    UpdateEnabled();
}

void CAtLogonPart::Store(ScheduleInfo& schedule) const {
    schedule.atLogonWait = m_wait->isChecked();
    schedule.atLogonWaitQuantity = m_quantity->value();
    schedule.atLogonWaitUnit = SelectedUnit(m_unit);
}

void CAtLogonPart::UpdateEnabled() {
    m_quantity->setEnabled(m_wait->isChecked());
    m_unit->setEnabled(m_wait->isChecked());
}

}  // namespace tidewell
