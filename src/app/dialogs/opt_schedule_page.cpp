#include "app/dialogs/opt_schedule_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/widgets/qt_text.h"
#include "overview/description.h"
#include "overview/task_texts.h"
#include "text/list_texts.h"

namespace tidewell {
namespace {

constexpr std::size_t kFormatLabelLine = 2;

// A yearly task on the 1st of January to March, June and December: ranges and lists differ.
TaskRecord ExampleTask() {
    TaskRecord task;
    task.scheduleInfo.type = ScheduleType::yearly;
    MonthlyItem item;
    item.everyMonth = false;
    for (int month : {0, 1, 2, 5, 11}) item.months[static_cast<std::size_t>(month)] = true;
    item.time = DateTime::FromParts(2000, 1, 1, 9, 0, 0);
    task.scheduleInfo.yearly = {item};
    return task;
}

}  // namespace

COptSchedulePage::COptSchedulePage(const ProgramOptions& options, QWidget* parent)
    : QWidget(parent), m_initial(options) {
    setObjectName("optSchedulePage");
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(MessageText(IDS_TIDEWELL_OPT_MONTH_LISTS), this);
    auto* layout = new QVBoxLayout(group);
    m_useRange = new QRadioButton(this);
    m_useRange->setObjectName("useRangeRadio");
    m_listEvery = new QRadioButton(this);
    m_listEvery->setObjectName("listEveryRadio");
    (options.yearlySummaryUseRange ? m_useRange : m_listEvery)->setChecked(true);
    layout->addWidget(m_useRange);
    layout->addWidget(m_listEvery);

    auto* formatRow = new QFormLayout;
    formatRow->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_format = new QComboBox(this);
    m_format->setObjectName("monthFormatCombo");
    for (int format : {kMonthFormatShort, kMonthFormatFull})
        m_format->addItem(ToQString(MonthFormatName(format)));
    m_format->setCurrentIndex(options.yearlySummaryMonthFormat == kMonthFormatFull ? 1 : 0);
    auto* label =
        new QLabel(ToQString(LoadMessageLine(IDS_DIALOG_OPTIONS_SCHEDULE_LIST, kFormatLabelLine)), this);
    label->setBuddy(m_format);
    formatRow->addRow(label, m_format);
    layout->addSpacing(8);
    layout->addLayout(formatRow);
    page->addWidget(group);

    auto* exampleGroup = new QGroupBox(MessageText(IDS_TIDEWELL_OPT_DESCRIPTION_EXAMPLE), this);
    auto* exampleLayout = new QVBoxLayout(exampleGroup);
    m_example = new QLabel(exampleGroup);
    m_example->setObjectName("descriptionExample");
    m_example->setWordWrap(true);
    exampleLayout->addWidget(m_example);
    page->addWidget(exampleGroup);
    page->addStretch(1);
    connect(m_format, &QComboBox::currentIndexChanged, this, &COptSchedulePage::ShowExamples);
    connect(m_useRange, &QRadioButton::toggled, this, &COptSchedulePage::ShowExamples);
    ShowExamples();
}

void COptSchedulePage::ShowExamples() {
    const MonthFormatExamples examples = MonthFormatExampleTexts(m_format->currentIndex());
    m_useRange->setText(ToQString(examples.useRange));
    m_listEvery->setText(ToQString(examples.listEvery));
    const DescriptionOptions chosen{m_useRange->isChecked(), m_format->currentIndex()};
    m_example->setText(DisplayText(TaskDescriptionText(ExampleTask(), chosen, DateTime())));
}

void COptSchedulePage::Store(ProgramOptions& options) const {
    options.yearlySummaryUseRange = m_useRange->isChecked();
    options.yearlySummaryMonthFormat = m_format->currentIndex();
}

bool COptSchedulePage::HasChanges() const {
    ProgramOptions now = m_initial;
    Store(now);
    return now != m_initial;
}

}  // namespace tidewell
