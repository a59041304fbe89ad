#include "app/task_sheet/waiting_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "text/messages.h"
#include "timing/waiting.h"

namespace tidewell {

CWaitingPage::CWaitingPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_WTPAGE_TITLE, parent),
      m_dontWait(new QRadioButton(MessageText(IDS_TIDEWELL_WTPAGE_RAD_1_DONT_WAIT_D), this)),
      m_waitSome(new QRadioButton(MessageText(IDS_TIDEWELL_WTPAGE_RAD_2_WAIT_FOR_SOME_TIME_W), this)),
      m_keepWaiting(new QRadioButton(MessageText(IDS_TIDEWELL_WTPAGE_RAD_3_KEEP_WAITING_K), this)),
      m_quantity(new QSpinBox(this)),
      m_unit(new QComboBox(this)),
      m_quantityLabel(nullptr) {
    setObjectName("waitingPage");
    m_dontWait->setObjectName("dontWaitRadio");
    m_waitSome->setObjectName("waitSomeTimeRadio");
    m_keepWaiting->setObjectName("keepWaitingRadio");
    m_quantity->setObjectName("waitingQuantity");
    m_quantity->setRange(1, kWaitingMaxQuantity);
    m_unit->setObjectName("waitingUnit");
    FillUnits(m_unit, TimeUnit::seconds, TimeUnit::hours, TimeUnit::hours);
    m_quantityLabel =
        BuddyLabel(IDS_TIDEWELL_WTPAGE_WAITING_TIME_T, m_quantity, this, "waitingQuantityLabel");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLabel(IDS_TIDEWELL_WTPAGE_INFO, this, "waitingInfo"));
    layout->addSpacing(8);
    auto* choices = new QGridLayout;
    choices->setColumnMinimumWidth(0, 24);
    choices->addWidget(m_dontWait, 0, 0, 1, 4);
    choices->addWidget(m_waitSome, 1, 0, 1, 4);
    choices->addWidget(m_quantityLabel, 2, 1);
    choices->addWidget(m_quantity, 2, 2);
    choices->addWidget(m_unit, 2, 3);
    choices->addWidget(m_keepWaiting, 3, 0, 1, 4);
    choices->setColumnStretch(4, 1);
    layout->addLayout(choices);
    layout->addStretch(1);
    ChainTabOrder({m_dontWait, m_waitSome, m_quantity, m_unit, m_keepWaiting});
    for (QRadioButton* radio : {m_dontWait, m_waitSome, m_keepWaiting}) {
        connect(radio, &QRadioButton::toggled, this, [this] {
            UpdateEnabled();
            emit completeChanged();
        });
    }
}

void CWaitingPage::LoadFromTask() {
    const WaitingInfo& waiting = Task().waitingInfo;
    const WaitingChoice choice = WaitingChoiceOf(waiting.quantity);
    m_dontWait->setChecked(choice == WaitingChoice::dontWait);
    m_waitSome->setChecked(choice == WaitingChoice::waitForSomeTime);
    m_keepWaiting->setChecked(choice == WaitingChoice::keepWaiting);
    if (choice == WaitingChoice::waitForSomeTime) m_quantity->setValue(waiting.quantity);
    const int unit = static_cast<int>(waiting.unit);
    SelectCode(m_unit, unit >= 0 && unit <= static_cast<int>(TimeUnit::hours)
                           ? unit
                           : static_cast<int>(TimeUnit::hours));
    UpdateEnabled();
}

void CWaitingPage::StoreToTask(TaskRecord& task) const {
    const WaitingChoice choice = m_dontWait->isChecked()   ? WaitingChoice::dontWait
                                 : m_waitSome->isChecked() ? WaitingChoice::waitForSomeTime
                                                           : WaitingChoice::keepWaiting;
    task.waitingInfo = StoredWaiting(choice, m_quantity->value(), SelectedUnit(m_unit));
}

bool CWaitingPage::isComplete() const {
    if (!m_waitSome->isChecked()) return true;
    return IsWaitingComplete(WaitingChoice::waitForSomeTime, m_quantity->value(), SelectedUnit(m_unit));
}

void CWaitingPage::UpdateEnabled() {
    const bool atLogon = Task().scheduleInfo.type == ScheduleType::atLogon;
    for (QRadioButton* radio : {m_dontWait, m_waitSome, m_keepWaiting}) radio->setEnabled(!atLogon);
    const bool some = !atLogon && m_waitSome->isChecked();
    m_quantity->setEnabled(some);
    m_unit->setEnabled(some);
    m_quantityLabel->setEnabled(some);
}

}  // namespace tidewell
