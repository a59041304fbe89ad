#include "app/task_sheet/options_sheet.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/schedule_page/schedule_page.h"
#include "app/task_sheet/page_checks.h"
#include "app/task_sheet/random_page.h"
#include "app/task_sheet/sound_page.h"
#include "app/task_sheet/summary_page.h"
#include "app/task_sheet/task_page.h"
#include "app/task_sheet/waiting_page.h"
#include "app/task_sheet/welcome_page.h"
#include "app/widgets/qt_text.h"
#include "model/task_compare.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// Every page gets the size of the largest one, and at least this, so that the sheet keeps its
// size from page to page.
constexpr QSize kMinimumPageSize(560, 380);

void SameSize(const std::vector<COptionsPage*>& pages) {
    QSize largest = kMinimumPageSize;
    for (const COptionsPage* page : pages) largest = largest.expandedTo(page->sizeHint());
    for (COptionsPage* page : pages) page->setMinimumSize(largest);
}

// The one wizard page of a tabbed sheet: it holds the tabs, and OK asks the sheet to check them.
class CSheetHostPage final : public QWizardPage {
public:
    CSheetHostPage(COptionsSheet& sheet, QTabWidget* tabs) : QWizardPage(&sheet), m_sheet(sheet) {
        setObjectName("sheetHostPage");
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(tabs);
    }
    bool validatePage() override { return m_sheet.ApplyAll(); }

private:
    COptionsSheet& m_sheet;
};

}  // namespace

COptionsSheet::COptionsSheet(int32_t captionId, TaskRecord& task, SheetContext& context, QWidget* parent)
    : QWizard(parent), m_task(task), m_context(context), m_original(task) {
    setObjectName("optionsSheet");
    setWindowTitle(MessageText(captionId));
    setButtonText(QWizard::BackButton, MessageText(IDS_DIALOG_WIZARD_BACK_B));
    setButtonText(QWizard::NextButton, MessageText(IDS_DIALOG_WIZARD_NEXT_N));
    setButtonText(QWizard::CancelButton, MessageText(IDS_DIALOG_CANCEL));
    button(QWizard::BackButton)->setObjectName("sheetBackButton");
    button(QWizard::NextButton)->setObjectName("sheetNextButton");
    button(QWizard::FinishButton)->setObjectName("sheetFinishButton");
    button(QWizard::CancelButton)->setObjectName("sheetCancelButton");
    m_wizard = captionId == IDS_TIDEWELL_OPTIONS_TITLE_ADD_TASK;
    if (m_wizard) {
        BuildWizard(task);
    } else {
        BuildTabs(captionId, task);
    }
}

void COptionsSheet::BuildWizard(TaskRecord& task) {
    setWizardStyle(QWizard::ModernStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonText(QWizard::FinishButton, MessageText(IDS_DIALOG_WIZARD_FINISH_F));
    m_pages = {new CWelcomePage(task, m_context), new CTaskPage(task, m_context),
               new CSoundPage(task, m_context),   new CSchedulePage(task, m_context),
               new CRandomPage(task, m_context),  new CWaitingPage(task, m_context),
               new CSummaryPage(task, m_context)};
    SameSize(m_pages);
    for (COptionsPage* page : m_pages) addPage(page);
}

void COptionsSheet::BuildTabs(int32_t captionId, TaskRecord& task) {
    setWizardStyle(QWizard::ClassicStyle);
    setOption(QWizard::NoBackButtonOnStartPage);
    setButtonLayout({QWizard::Stretch, QWizard::FinishButton, QWizard::CancelButton});
    setButtonText(QWizard::FinishButton, MessageText(IDS_DIALOG_OK));
    if (captionId == IDS_TIDEWELL_OPTIONS_TITLE_EDIT_TASK) {
        m_pages = {new CTaskPage(task, m_context), new CSoundPage(task, m_context),
                   new CSchedulePage(task, m_context), new CRandomPage(task, m_context),
                   new CWaitingPage(task, m_context)};
    } else if (captionId == IDS_DIALOG_TCS_AUTOMATIC_CLOCK_SYNCHRONIZATION) {
        m_pages = {new CSchedulePage(task, m_context)};
    }
    if (m_pages.empty()) return;
    SameSize(m_pages);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("sheetTabs");
    for (COptionsPage* page : m_pages) m_tabs->addTab(page, page->title());
    auto* host = new CSheetHostPage(*this, m_tabs);
    host->setMinimumSize(host->sizeHint());  // the wizard sizes itself by its pages' minimum sizes
    addPage(host);
    m_pages.front()->LoadFromTask();
    connect(m_tabs, &QTabWidget::currentChanged, this, &COptionsSheet::OnTabChanged);
}

QStringList COptionsSheet::PageTitles() const {
    QStringList titles;
    for (const COptionsPage* page : m_pages) titles << page->title();
    return titles;
}

COptionsPage* COptionsSheet::CurrentOptionsPage() const {
    if (m_tabs != nullptr) return m_pages[static_cast<size_t>(m_currentTab)];
    return qobject_cast<COptionsPage*>(currentPage());
}

void COptionsSheet::OnTabChanged(int index) {
    if (index == m_currentTab || index < 0) return;
    // The page shown keeps the focus while its values are refused.
    if (!m_pages[static_cast<size_t>(m_currentTab)]->Apply()) {
        ShowTab(m_currentTab);
        return;
    }
    m_currentTab = index;
    m_pages[static_cast<size_t>(index)]->LoadFromTask();
}

void COptionsSheet::ShowTab(int index) {
    const QSignalBlocker blocker(m_tabs);
    m_tabs->setCurrentIndex(index);
    m_currentTab = index;
}

bool COptionsSheet::ApplyAll() {
    if (m_pages.empty()) return true;
    // The wizard's pages after the one shown hold what the task holds; the one shown is kept.
    if (m_wizard) return CurrentOptionsPage() == nullptr || CurrentOptionsPage()->Apply();
    if (!m_pages[static_cast<size_t>(m_currentTab)]->Apply()) return false;
    for (int index = 0; index < static_cast<int>(m_pages.size()); ++index) {
        if (index == m_currentTab) continue;
        COptionsPage* page = m_pages[static_cast<size_t>(index)];
        page->LoadFromTask();
        if (!page->Apply()) {
            ShowTab(index);
            return false;
        }
    }
    return true;
}

bool COptionsSheet::HasChanges() const {
    TaskRecord scratch = m_task;
    if (const COptionsPage* page = CurrentOptionsPage()) page->StoreToTask(scratch);
    return TaskEdited(m_original, scratch);
}

void COptionsSheet::showEvent(QShowEvent* event) {
    QWizard::showEvent(event);
    // The tabbed sheets would open at a default size smaller than their pages.
    resize(size().expandedTo(sizeHint()));
}

void COptionsSheet::closeEvent(QCloseEvent* event) {
    if (!HasChanges()) {
        QWizard::closeEvent(event);
        return;
    }
    event->ignore();
    const int answer =
        m_context.messageBox.ShowMessageBox(LoadMessage(IDS_MESSAGE_OPT_CHANGED_PROMPT_SAVE),
                                            ToStdString(windowTitle()), MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES) {
        reject();
    } else if (ApplyAll()) {
        accept();
    }
}

int RunSheet(COptionsSheet& sheet, const SheetRunner& runner) {
    return runner ? runner(sheet) : sheet.exec();
}

bool EditClockSyncSchedule(TaskRecord& task, SheetContext& context, QWidget* parent,
                           const SheetRunner& runner) {
    TaskRecord copy;
    CopyTask(copy, task);
    COptionsSheet sheet(IDS_DIALOG_TCS_AUTOMATIC_CLOCK_SYNCHRONIZATION, copy, context, parent);
    if (RunSheet(sheet, runner) != QDialog::Accepted) return false;
    CopyTask(task, copy);
    return true;
}

}  // namespace tidewell
