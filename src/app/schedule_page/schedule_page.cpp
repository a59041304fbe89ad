#include "app/schedule_page/schedule_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/schedule_page/list_editor.h"
#include "app/schedule_page/month_list_editor.h"
#include "app/schedule_page/schedule_value_parts.h"
#include "app/task_sheet/page_checks.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/typed_date_time.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr int32_t kTypeNames[kScheduleTypeCount] = {
    IDS_TIDEWELL_ST_DAILY, IDS_TIDEWELL_ST_WEEKLY,    IDS_TIDEWELL_ST_MONTHLY,   IDS_TIDEWELL_ST_YEARLY,
    IDS_TIDEWELL_ST_ONCE,  IDS_TIDEWELL_ST_REPEATING, IDS_TIDEWELL_ST_COUNTDOWN, IDS_TIDEWELL_ST_AT_LOGON,
};

QDateTimeEdit* DateTimeEditor(QWidget* parent, const char* name) {
    auto* edit = new CDateTimeField(parent);
    edit->setObjectName(name);
    edit->setDisplayFormat(QString::fromLatin1(kDateTimeEditFormat));
    edit->setCalendarPopup(true);
    return edit;
}

int64_t CountDownLength(const ScheduleInfo& schedule) {
    return int64_t{schedule.countDownDays} * 86400 + schedule.countDownSeconds;
}

}  // namespace

CSchedulePage::CSchedulePage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_SCHEDULEPAGE_TITLE, parent),
      m_type(new QComboBox(this)),
      m_start(DateTimeEditor(this, "startingTimeEdit")),
      m_haveEnd(new QCheckBox(MessageText(IDS_TIDEWELL_SCHEDULEPAGE_ENDING_TIME_E), this)),
      m_end(DateTimeEditor(this, "endingTimeEdit")),
      m_parts(new QStackedWidget(this)) {
    setObjectName("schedulePage");
    m_type->setObjectName("scheduleTypeCombo");
    m_haveEnd->setObjectName("endingTimeCheck");
    m_parts->setObjectName("scheduleParts");
    for (int code = 0; code < kScheduleTypeCount; ++code)
        m_type->addItem(MessageText(kTypeNames[code]), code);
    m_typeParts = {
        new CTimeListEditor(CTimeListEditor::Kind::daily, context, m_parts),
        new CWeeklyListEditor(context, m_parts),
        new CMonthListEditor(false, context, m_parts),
        new CMonthListEditor(true, context, m_parts),
        new CTimeListEditor(CTimeListEditor::Kind::once, context, m_parts),
        new CRepeatingPart(context, m_parts),
        new CCountDownPart(context, m_parts),
        new CAtLogonPart(context, m_parts),
    };
    for (CSchedulePart* part : m_typeParts) m_parts->addWidget(part);

    auto* top = new QGridLayout;
    top->addWidget(BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_SCHEDULE_TYPE_T, m_type, this, "scheduleTypeLabel"),
                   0, 0);
    top->addWidget(m_type, 0, 1);
    top->addWidget(BuddyLabel(IDS_TIDEWELL_SCHEDULEPAGE_STARTING_TIME_S, m_start, this, "startingTimeLabel"),
                   1, 0);
    top->addWidget(m_start, 1, 1);
    top->addWidget(m_haveEnd, 2, 0);
    top->addWidget(m_end, 2, 1);
    top->setColumnStretch(2, 1);
    auto* line = new QFrame(this);
    line->setObjectName("scheduleSeparator");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(m_parts, 1);
    connect(m_type, &QComboBox::currentIndexChanged, this, &CSchedulePage::ShowTypePart);
    connect(m_haveEnd, &QCheckBox::toggled, this, &CSchedulePage::ShowTypePart);
}

CSchedulePart* CSchedulePage::Part(ScheduleType type) const {
    const int code = static_cast<int>(type);
    return code >= 0 && code < kScheduleTypeCount ? m_typeParts[static_cast<size_t>(code)] : nullptr;
}

void CSchedulePage::LoadFromTask() {
    const ScheduleInfo& schedule = Task().scheduleInfo;
    m_loaded = schedule;
    const DateTime now = Context().clock.Now();
    SelectCode(m_type, IsKnownScheduleType(schedule.type) ? static_cast<int>(schedule.type)
                                                          : static_cast<int>(ScheduleType::once));
    m_start->setDateTime(ToQDateTime(schedule.startingTime, now));
    m_haveEnd->setChecked(schedule.haveEndingTime);
    // An ending time not in use offers a week after the start, as a new task has it.
    const bool endUsable = schedule.haveEndingTime || schedule.endingTime > schedule.startingTime;
    m_end->setDateTime(endUsable ? ToQDateTime(schedule.endingTime, now)
                                 : ToQDateTime(schedule.startingTime, now).addDays(7));
    for (CSchedulePart* part : m_typeParts) part->Load(schedule);
    ShowTypePart();
}

void CSchedulePage::StoreToTask(TaskRecord& task) const {
    ScheduleInfo& schedule = task.scheduleInfo;
    schedule.type = SelectedType();
    schedule.haveEndingTime = m_haveEnd->isChecked();
    schedule.endingTime = FromQDateTime(m_end->dateTime());
    for (CSchedulePart* part : m_typeParts) part->Store(schedule);
    if (schedule.type != ScheduleType::countDown) {
        schedule.startingTime = FromQDateTime(m_start->dateTime());
        return;
    }
    // A count-down falls due at its starting time: a new or changed length counts from now.
    const bool restart =
        m_loaded.type != ScheduleType::countDown || CountDownLength(m_loaded) != CountDownLength(schedule);
    if (restart) {
        schedule.countDownRunning = true;
        schedule.startingTime = Context().clock.Now() + TimeSpan::FromSeconds(CountDownLength(schedule));
    }
}

std::string CSchedulePage::CheckValues() const {
    TaskRecord probe = Task();
    StoreToTask(probe);
    return PartProblems(probe, TaskPart::schedule, Context().macroChecking);
}

void CSchedulePage::ShowTypePart() {
    const ScheduleType type = SelectedType();
    m_parts->setCurrentWidget(Part(type));
    // A count-down's times follow from its length.
    const bool times = type != ScheduleType::countDown;
    m_start->setEnabled(times);
    m_haveEnd->setEnabled(times);
    m_end->setEnabled(times && m_haveEnd->isChecked());
}

ScheduleType CSchedulePage::SelectedType() const {
    return static_cast<ScheduleType>(SelectedCode(m_type));
}

}  // namespace tidewell
