#pragma once

#include "app/task_sheet/options_page.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace tidewell {

// How late a missed run may still start: not at all, within a time of 1 to 120 seconds,
// minutes or hours, or at any time. At Logon tasks do not wait: their controls are off.
class CWaitingPage final : public COptionsPage {
    Q_OBJECT

public:
    CWaitingPage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    void LoadFromTask() override;
    void StoreToTask(TaskRecord& task) const override;
    bool isComplete() const override;

private:
    void UpdateEnabled();

    QRadioButton* m_dontWait;
    QRadioButton* m_waitSome;
    QRadioButton* m_keepWaiting;
    QSpinBox* m_quantity;
    QComboBox* m_unit;
    QLabel* m_quantityLabel;
};

}  // namespace tidewell
