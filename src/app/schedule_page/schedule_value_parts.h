#pragma once

#include "app/schedule_page/schedule_part.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTimeEdit;

namespace tidewell {

// The period of a Repeating schedule: 1 to 600 seconds, minutes, hours or days.
class CRepeatingPart final : public CSchedulePart {
    Q_OBJECT

public:
    CRepeatingPart(SheetContext& context, QWidget* parent);
    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;

private:
    QSpinBox* m_quantity;
    QComboBox* m_unit;
};

// The length of a Count Down: hours, minutes and seconds, with a days part while "Show days"
// is on. The length counts from the moment the sheet is closed with OK.
class CCountDownPart final : public CSchedulePart {
    Q_OBJECT

public:
    CCountDownPart(SheetContext& context, QWidget* parent);
    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;

private:
    void UpdateDays();

    QSpinBox* m_days;
    QTimeEdit* m_time;
    QCheckBox* m_showDays;
    QLabel* m_units;
};

// An At Logon schedule: right at logon, or a wait of 1 to 1440 seconds or minutes after it.
class CAtLogonPart final : public CSchedulePart {
    Q_OBJECT

public:
    CAtLogonPart(SheetContext& context, QWidget* parent);
    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;

private:
    void UpdateEnabled();

    QRadioButton* m_rightAtLogon;
    QRadioButton* m_wait;
    QSpinBox* m_quantity;
    QComboBox* m_unit;
};

}  // namespace tidewell
