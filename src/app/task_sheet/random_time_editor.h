#pragma once

#include <QDialog>
#include <cstdint>

#include "time/date_time.h"

class QLineEdit;
class QSpinBox;

namespace tidewell {

// "Edit Final Random Time": the final time of a randomized run as an offset of 1 up to the
// random period's seconds from the scheduled time, with the time it gives shown for reference.
class CRandomTimeEditor final : public QDialog {
    Q_OBJECT

public:
    CRandomTimeEditor(const DateTime& scheduled, int64_t offset, int64_t period, QWidget* parent = nullptr);

    int64_t Offset() const;
    void SetOffset(int64_t offset);
    DateTime FinalTime() const;

private:
    void ShowActualTime();

    const DateTime m_scheduled;
    QSpinBox* m_offset;
    QLineEdit* m_actual;
};

}  // namespace tidewell
