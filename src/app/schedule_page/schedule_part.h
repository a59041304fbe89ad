#pragma once

#include <QWidget>

#include "app/task_sheet/sheet_context.h"
#include "model/task_record.h"

namespace tidewell {

// The part of the schedule page that edits one schedule type's list or values.
class CSchedulePart : public QWidget {
    Q_OBJECT

public:
    CSchedulePart(SheetContext& context, QWidget* parent);

    // The part's controls from the schedule, and back into it.
    virtual void Load(const ScheduleInfo& schedule) = 0;
    virtual void Store(ScheduleInfo& schedule) const = 0;

protected:
    SheetContext& Context() const { return m_context; }

private:
    SheetContext& m_context;
};

}  // namespace tidewell
