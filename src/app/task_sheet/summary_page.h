#pragma once

#include "app/task_sheet/options_page.h"

class QLabel;
class QTextEdit;

namespace tidewell {

// The wizard's last page: the task in words, section by section, before Finish adds it.
class CSummaryPage final : public COptionsPage {
    Q_OBJECT

public:
    CSummaryPage(TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    void LoadFromTask() override;
    QString SummaryText() const;

private:
    QTextEdit* m_summary;
};

}  // namespace tidewell
