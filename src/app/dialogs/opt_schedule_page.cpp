#include "app/dialogs/opt_schedule_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/widgets/qt_text.h"
#include "overview/description.h"
#include "text/list_texts.h"

namespace tidewell {
namespace {

constexpr std::size_t kFormatLabelLine = 2;

}  // namespace

COptSchedulePage::COptSchedulePage(const ProgramOptions& options, QWidget* parent)
    : QWidget(parent), m_initial(options) {
    setObjectName("optSchedulePage");
    auto* layout = new QVBoxLayout(this);
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
    layout->addStretch(1);
    connect(m_format, &QComboBox::currentIndexChanged, this, &COptSchedulePage::ShowExamples);
    ShowExamples();
}

void COptSchedulePage::ShowExamples() {
    const MonthFormatExamples examples = MonthFormatExampleTexts(m_format->currentIndex());
    m_useRange->setText(ToQString(examples.useRange));
    m_listEvery->setText(ToQString(examples.listEvery));
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
