#pragma once

#include <QWizardPage>
#include <cstdint>
#include <string>

#include "app/task_sheet/sheet_context.h"
#include "model/task_record.h"

namespace tidewell {

// One page of the task sheets. A page shows the task record it edits when it is entered
// (LoadFromTask), and when it is left it checks its values, shows its refusal and stays, or
// writes them into the record (Apply). In the wizard Next leaves a page and Back keeps what
// it holds without a check; in the tabbed sheets changing the tab and OK leave it.
class COptionsPage : public QWizardPage {
    Q_OBJECT

public:
    COptionsPage(TaskRecord& task, SheetContext& context, int32_t titleId, QWidget* parent = nullptr);

    int32_t TitleId() const { return m_titleId; }

    // The controls from the record.
    virtual void LoadFromTask() {}
    // The controls into `task`, without a check.
    virtual void StoreToTask(TaskRecord& task) const { (void)task; }
    // Why the controls' values cannot be kept; empty when they can.
    virtual std::string CheckValues() const { return {}; }
    // Leaving the page: false, with the refusal shown, or the values written into the record.
    bool Apply();

    void initializePage() override;
    bool validatePage() override;
    void cleanupPage() override;

protected:
    TaskRecord& Task() { return m_task; }
    const TaskRecord& Task() const { return m_task; }
    SheetContext& Context() const { return m_context; }
    // A refusal of the page, in the program's message box.
    void ShowRefusal(const std::string& message) const;

private:
    TaskRecord& m_task;
    SheetContext& m_context;
    const int32_t m_titleId;
};

}  // namespace tidewell
