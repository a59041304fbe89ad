#pragma once

#include <QStringList>
#include <QWizard>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/task_sheet/sheet_context.h"
#include "model/task_record.h"

class QTabWidget;

namespace tidewell {

class COptionsPage;

// The sheet of task pages; its caption decides its pages and its look:
//   "Add a Task": a wizard (Back / Next / Finish) of Welcome, Task, Notice Sound, Schedule,
//     Randomization, Waiting Time and Summary;
//   "Edit Task": a tabbed sheet (OK / Cancel) of Task, Notice Sound, Schedule, Randomization
//     and Waiting Time;
//   "Automatic Clock Synchronization": a tabbed sheet of the Schedule page alone.
// Any other caption adds no page (the Options pages are a sheet of their own). The pages edit
// the record the caller hands in; the caller keeps a copy when Cancel must leave it unchanged.
// A page refuses to be left while its values break a rule; OK checks every page.
class COptionsSheet final : public QWizard {
    Q_OBJECT

public:
    COptionsSheet(int32_t captionId, TaskRecord& task, SheetContext& context, QWidget* parent = nullptr);

    bool IsWizard() const { return m_wizard; }
    // The titles of the pages, in their order.
    QStringList PageTitles() const;
    const std::vector<COptionsPage*>& Pages() const { return m_pages; }
    COptionsPage* CurrentOptionsPage() const;
    // The tabbed sheets' tab bar; null for the wizard.
    QTabWidget* Tabs() const { return m_tabs; }

    // OK of the tabbed sheets: the page shown, then every other page, checks its values; the
    // first that refuses is shown. The wizard checks the page shown. True when all were kept.
    bool ApplyAll();
    // Whether the pages hold anything the task did not have when the sheet opened.
    bool HasChanges() const;

protected:
    // The close box of a sheet or the wizard with changes asks whether to keep them.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildWizard(TaskRecord& task);
    void BuildTabs(int32_t captionId, TaskRecord& task);
    void OnTabChanged(int index);
    void ShowTab(int index);

    TaskRecord& m_task;
    SheetContext& m_context;
    const TaskRecord m_original;
    bool m_wizard = false;
    QTabWidget* m_tabs = nullptr;
    std::vector<COptionsPage*> m_pages;
    int m_currentTab = 0;
};

// How a sheet is run: modally, or by a test that drives its pages and returns the result.
using SheetRunner = std::function<int(COptionsSheet&)>;
int RunSheet(COptionsSheet& sheet, const SheetRunner& runner);

// The "Automatic Clock Synchronization" sheet over the built-in clock synchronization task:
// it edits a copy, and OK copies it back. True when OK closed it.
bool EditClockSyncSchedule(TaskRecord& task, SheetContext& context, QWidget* parent,
                           const SheetRunner& runner = {});

}  // namespace tidewell
