#pragma once

#include <vector>

#include "app/schedule_page/list_editor.h"

class QListWidget;
class QRadioButton;
class QSpinBox;

namespace tidewell {

// The entries of a Monthly or Yearly schedule: the months an entry runs in (every month, or
// a choice of months), the day (a day number, or an ordinal weekday such as the last Friday)
// and the time. An entry that selects no month is refused.
class CMonthListEditor final : public CListEditor {
    Q_OBJECT

public:
    CMonthListEditor(bool yearly, SheetContext& context, QWidget* parent);

    void Load(const ScheduleInfo& schedule) override;
    void Store(ScheduleInfo& schedule) const override;
    void SetEdited(const MonthlyItem& item);
    QListWidget* MonthPicker() const { return m_months; }

protected:
    int Count() const override { return static_cast<int>(m_entries.size()); }
    QString Text(int index) const override;
    std::string Refusal(int skip) const override;
    int Put(int index) override;
    void Erase(int index) override;
    void Show(int index) override;

private:
    MonthlyItem Edited() const;
    void UpdateControls();

    const bool m_yearly;
    std::vector<MonthlyItem> m_entries;
    QListWidget* m_months;
    QRadioButton* m_byDay;
    QSpinBox* m_day;
    QRadioButton* m_byWeekday;
    QComboBox* m_ordinal;
    QComboBox* m_weekday;
    QTimeEdit* m_time;
};

}  // namespace tidewell
