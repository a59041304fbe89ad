#pragma once

#include "app/task_sheet/options_page.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tidewell {

// Randomization of the run time: on or off, whether the random period is shrunk to a valid
// one, the period (1 up to the valid limit, at most 12,000 units), when the final time is
// decided, and the final time for reference, which can be moved inside the period. A task without a next run
// or not enabled cannot be randomized: the page says so and its controls are off.
class CRandomPage final : public COptionsPage {
    Q_OBJECT

public:
    CRandomPage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    void LoadFromTask() override;
    void StoreToTask(TaskRecord& task) const override;

    // The final time as the page shows it.
    QString FinalTimeText() const;
    // The "Edit Final Random Time" dialog over the final time decided now.
    void EditFinalTime();

private:
    // Keeps a decided final time that still lies inside the period, else draws a new one.
    void Settle(TaskRecord& task) const;
    void Refresh();
    void UpdateRange();
    void UpdateEnabled();

    QLabel* m_info;
    QCheckBox* m_enable;
    QCheckBox* m_adjust;
    QGroupBox* m_periodGroup;
    QSpinBox* m_period;
    QComboBox* m_unit;
    QGroupBox* m_decideGroup;
    QRadioButton* m_whenSet;
    QRadioButton* m_whenDue;
    QLineEdit* m_final;
    QPushButton* m_editFinal;
    bool m_expired = false;
    bool m_loading = false;
};

}  // namespace tidewell
