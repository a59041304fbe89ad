#include "app/task_sheet/random_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/task_sheet/random_time_editor.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "text/messages.h"
#include "timing/next_run.h"
#include "timing/randomization.h"

namespace tidewell {
namespace {

constexpr int kMaxPeriodQuantity = 12000;

}  // namespace

CRandomPage::CRandomPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_RANDOMPAGE_TITLE, parent),
      m_info(TextLabel(IDS_TIDEWELL_RANDOMPAGE_INFO, this, "randomInfo")),
      m_enable(new QCheckBox(MessageText(IDS_TIDEWELL_RANDOMPAGE_ENABLE_E), this)),
      m_adjust(new QCheckBox(MessageText(IDS_TIDEWELL_RANDOMPAGE_ADJUST_VALID_A), this)),
      m_periodGroup(new QGroupBox(MessageText(IDS_TIDEWELL_RANDOMPAGE_RANDOM_PERIOD), this)),
      m_period(new QSpinBox(m_periodGroup)),
      m_unit(new QComboBox(m_periodGroup)),
      m_decideGroup(new QGroupBox(MessageText(IDS_TIDEWELL_RANDOMPAGE_WHEN_TO_DECIDE), this)),
      m_whenSet(new QRadioButton(MessageText(IDS_TIDEWELL_RANDOMPAGE_DECIDE_WHEN_SET_S), m_decideGroup)),
      m_whenDue(new QRadioButton(MessageText(IDS_TIDEWELL_RANDOMPAGE_DECIDE_WHEN_DUE_D), m_decideGroup)),
      m_final(new QLineEdit(this)),
      m_editFinal(new QPushButton(MessageText(IDS_DIALOG_MODIFY_M), this)) {
    setObjectName("randomPage");
    m_enable->setObjectName("randomEnableCheck");
    m_adjust->setObjectName("randomAdjustCheck");
    m_periodGroup->setObjectName("randomPeriodGroup");
    m_period->setObjectName("randomPeriodSpin");
    m_period->setRange(1, kMaxPeriodQuantity);
    m_unit->setObjectName("randomPeriodUnit");
    FillUnits(m_unit, TimeUnit::seconds, TimeUnit::hours, TimeUnit::minutes);
    m_decideGroup->setObjectName("randomDecideGroup");
    m_whenSet->setObjectName("decideWhenSetRadio");
    m_whenDue->setObjectName("decideWhenDueRadio");
    m_final->setObjectName("randomFinalTime");
    m_final->setReadOnly(true);
    m_editFinal->setObjectName("randomEditFinalButton");
    m_editFinal->setAutoDefault(false);

    auto* period = new QHBoxLayout(m_periodGroup);
    period->addWidget(
        BuddyLabel(IDS_TIDEWELL_RANDOMPAGE_RANDOM_PERIOD_P, m_period, m_periodGroup, "randomPeriodLabel"));
    period->addWidget(m_period);
    period->addWidget(m_unit);
    period->addStretch(1);
    auto* decide = new QVBoxLayout(m_decideGroup);
    decide->addWidget(m_whenSet);
    decide->addWidget(m_whenDue);
    auto* final = new QHBoxLayout;
    QLabel* finalLabel = TextLabel(IDS_TIDEWELL_RANDOMPAGE_FINAL_FOR_REFERENCE, this, "randomFinalLabel");
    finalLabel->setWordWrap(false);
    final->addWidget(finalLabel);
    final->addWidget(m_final, 1);
    final->addWidget(m_editFinal);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_info);
    layout->addSpacing(6);
    layout->addWidget(m_enable);
    layout->addWidget(m_adjust);
    layout->addWidget(m_periodGroup);
    layout->addWidget(m_decideGroup);
    layout->addLayout(final);
    layout->addStretch(1);

    for (QCheckBox* box : {m_enable, m_adjust})
        connect(box, &QCheckBox::toggled, this, &CRandomPage::Refresh);
    connect(m_whenSet, &QRadioButton::toggled, this, &CRandomPage::Refresh);
    connect(m_period, &QSpinBox::valueChanged, this, &CRandomPage::Refresh);
    connect(m_unit, &QComboBox::currentIndexChanged, this, &CRandomPage::Refresh);
    connect(m_editFinal, &QPushButton::clicked, this, &CRandomPage::EditFinalTime);
}

void CRandomPage::LoadFromTask() {
    TaskRecord& task = Task();
    // The next run as the schedule page left it: the period's limit and the final time follow from it.
    NextRunFields(Context().clock.Now(), task);
    m_expired = !task.enabled || !task.scheduleInfo.haveNextRunTime;
    m_info->setText(
        MessageText(m_expired ? IDS_TIDEWELL_RANDOMPAGE_INFO_EXPIRED : IDS_TIDEWELL_RANDOMPAGE_INFO));
    const RandomizationInfo& random = task.randomizationInfo;
    const PeriodDisplay shown = SplitPeriod(random.rpTotalSeconds);
    m_loading = true;
    m_enable->setChecked(random.enable);
    m_adjust->setChecked(random.adjustValidRp);
    SelectCode(m_unit, static_cast<int>(shown.unit));
    m_period->setMaximum(kMaxPeriodQuantity);
    m_period->setValue(static_cast<int>(std::clamp<int64_t>(shown.quantity, 1, kMaxPeriodQuantity)));
    m_whenSet->setChecked(random.decidedTime == 0);
    m_whenDue->setChecked(random.decidedTime != 0);
    m_loading = false;
    Refresh();
}

void CRandomPage::StoreToTask(TaskRecord& task) const {
    RandomizationInfo& random = task.randomizationInfo;
    random.enable = m_enable->isChecked();
    random.adjustValidRp = m_adjust->isChecked();
    const int64_t seconds = int64_t{m_period->value()} * UnitSeconds(SelectedUnit(m_unit));
    random.rpTotalSeconds = static_cast<int32_t>(std::min(seconds, kMaxRandomPeriodSeconds));
    random.decidedTime = m_whenSet->isChecked() ? 0 : 1;
    Settle(task);
}

void CRandomPage::Settle(TaskRecord& task) const {
    RandomizationInfo& random = task.randomizationInfo;
    if (!random.enable || m_expired) {
        random.finalSet = false;
        return;
    }
    const NextRunContext context{Context().clock, Context().random};
    if (!ValidPeriod(task, context)) return;  // no room for a period: randomization went off
    if (random.decidedTime != 0) {
        random.finalSet = false;  // drawn when the scheduled time is due
        return;
    }
    const int64_t offset = (random.finalTime - task.scheduleInfo.nextRunTime).GetTotalSeconds();
    if (!random.finalSet || offset < 1 || offset > random.rpTotalSeconds) Decide(task, context);
}

QString CRandomPage::FinalTimeText() const {
    return m_final->text();
}

void CRandomPage::EditFinalTime() {
    TaskRecord probe = Task();
    StoreToTask(probe);
    const RandomizationInfo& random = probe.randomizationInfo;
    if (!random.enable || !random.finalSet) return;
    const DateTime scheduled = probe.scheduleInfo.nextRunTime;
    CRandomTimeEditor editor(scheduled, (random.finalTime - scheduled).GetTotalSeconds(),
                             random.rpTotalSeconds, this);
    if (editor.exec() != QDialog::Accepted) return;
    // The page's other values stay in its controls; the chosen time joins the record.
    Task().randomizationInfo.finalTime = editor.FinalTime();
    Task().randomizationInfo.finalSet = true;
    Task().scheduleInfo.nextRunTime = scheduled;
    Task().scheduleInfo.haveNextRunTime = true;
    Refresh();
}

void CRandomPage::Refresh() {
    if (m_loading) return;
    UpdateRange();
    UpdateEnabled();
    TaskRecord probe = Task();
    StoreToTask(probe);
    const RandomizationInfo& random = probe.randomizationInfo;
    if (random.enable && random.finalSet) {
        // The time shown joins the record, so that leaving the page keeps it rather than drawing anew.
        Task().randomizationInfo.finalTime = random.finalTime;
        Task().randomizationInfo.finalSet = true;
        m_final->setText(ToQString(random.finalTime.Format(kStorageFormat)));
    } else {
        m_final->setText(MessageText(random.enable && random.decidedTime != 0
                                         ? IDS_TIDEWELL_RANDOMPAGE_FINAL_TIME_STATUS
                                         : IDS_KLN_UNDECIDED));
    }
}

// The period runs from 1 to the valid limit in the chosen unit, at most 12,000.
void CRandomPage::UpdateRange() {
    int maximum = kMaxPeriodQuantity;
    if (m_adjust->isChecked() && !m_expired) {
        TaskRecord probe = Task();
        probe.randomizationInfo.enable = true;
        probe.randomizationInfo.adjustValidRp = true;
        probe.randomizationInfo.rpTotalSeconds = static_cast<int32_t>(kMaxRandomPeriodSeconds);
        if (std::optional<ValidPeriodResult> valid =
                ValidPeriod(probe, {Context().clock, Context().random})) {
            const int64_t units = valid->limit / UnitSeconds(SelectedUnit(m_unit));
            maximum = static_cast<int>(std::clamp<int64_t>(units, 1, kMaxPeriodQuantity));
        }
    }
    const QSignalBlocker blocker(m_period);
    m_period->setMaximum(maximum);
}

void CRandomPage::UpdateEnabled() {
    m_enable->setEnabled(!m_expired);
    const bool on = !m_expired && m_enable->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_adjust, m_periodGroup, m_decideGroup, m_final})
        widget->setEnabled(on);
    m_editFinal->setEnabled(on && m_whenSet->isChecked());
}

}  // namespace tidewell
