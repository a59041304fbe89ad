#pragma once

#include <QWidget>

#include "config/program_options.h"

class QComboBox;
class QLabel;
class QRadioButton;

namespace tidewell {

// The Schedule page of the Options dialog: how the descriptions of yearly schedules write their
// months, with an example of each choice in the chosen month format and a yearly description
// written as the choices stand.
class COptSchedulePage final : public QWidget {
    Q_OBJECT

public:
    explicit COptSchedulePage(const ProgramOptions& options, QWidget* parent = nullptr);

    void Store(ProgramOptions& options) const;
    bool HasChanges() const;

private:
    void ShowExamples();

    const ProgramOptions m_initial;
    QRadioButton* m_useRange = nullptr;
    QRadioButton* m_listEvery = nullptr;
    QComboBox* m_format = nullptr;
    QLabel* m_example = nullptr;
};

}  // namespace tidewell
