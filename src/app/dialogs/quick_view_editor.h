#pragma once

#include <QDialog>

#include "overview/quick_view.h"

class QComboBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tidewell {

class MessageBoxService;

// Edits one Quick View: its title and one of the four kinds of range with its values. OK keeps
// the dialog open, with the reason shown, while the record could not be stored as it is.
class QuickViewEditor final : public QDialog {
    Q_OBJECT

public:
    enum class Mode {
        add,     // "Add Quick View"
        edit,    // "Edit Quick View"
        onSpot,  // a range looked at once, not stored: no title
    };

    QuickViewEditor(Mode mode, const QuickViewRecord& record, MessageBoxService& messageBox,
                    QWidget* parent = nullptr);

    // The record as the controls hold it.
    QuickViewRecord Record() const;
    void accept() override;

private:
    void BuildRows(QWidget* parent);
    void UpdateEnabled();

    const Mode m_mode;
    QuickViewRecord m_record;
    MessageBoxService& m_messageBox;
    QLineEdit* m_title = nullptr;
    QRadioButton* m_types[4] = {};
    QComboBox* m_period = nullptr;
    QComboBox* m_firstWeekday = nullptr;
    QComboBox* m_lastWeekday = nullptr;
    QSpinBox* m_recentCount = nullptr;
    QComboBox* m_recentUnit = nullptr;
    QComboBox* m_recentStart = nullptr;
    QSpinBox* m_pastCount = nullptr;
    QComboBox* m_pastUnit = nullptr;
    QSpinBox* m_nextCount = nullptr;
    QComboBox* m_nextUnit = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
};

}  // namespace tidewell
