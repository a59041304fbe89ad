#pragma once

#include <array>

#include "app/task_sheet/options_page.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QStackedWidget;

namespace tidewell {

class CSchedulePart;

// When the task runs: the schedule type, the starting time, the optional ending time, and the
// type's list or values in a part of its own (CListEditor and the value parts). Leaving the
// page refuses an ending time before the starting time and a list without entries.
class CSchedulePage final : public COptionsPage {
    Q_OBJECT

public:
    CSchedulePage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    void LoadFromTask() override;
    void StoreToTask(TaskRecord& task) const override;
    std::string CheckValues() const override;

    // The part that edits one schedule type.
    CSchedulePart* Part(ScheduleType type) const;

private:
    void ShowTypePart();
    ScheduleType SelectedType() const;

    QComboBox* m_type;
    QDateTimeEdit* m_start;
    QCheckBox* m_haveEnd;
    QDateTimeEdit* m_end;
    QStackedWidget* m_parts;
    std::array<CSchedulePart*, kScheduleTypeCount> m_typeParts{};
    // What the count-down part showed when the page was entered: a changed length starts again.
    ScheduleInfo m_loaded;
};

}  // namespace tidewell
