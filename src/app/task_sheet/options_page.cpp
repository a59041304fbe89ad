#include "app/task_sheet/options_page.h"

#include "app/widgets/qt_text.h"

namespace tidewell {

COptionsPage::COptionsPage(TaskRecord& task, SheetContext& context, int32_t titleId, QWidget* parent)
    : QWizardPage(parent), m_task(task), m_context(context), m_titleId(titleId) {
    setTitle(MessageText(titleId));
}

bool COptionsPage::Apply() {
    const std::string refusal = CheckValues();
    if (!refusal.empty()) {
        ShowRefusal(refusal);
        return false;
    }
    StoreToTask(m_task);
    return true;
}

void COptionsPage::initializePage() {
    LoadFromTask();
}

bool COptionsPage::validatePage() {
    return Apply();
}

void COptionsPage::cleanupPage() {
    StoreToTask(m_task);
}

void COptionsPage::ShowRefusal(const std::string& message) const {
    m_context.messageBox.ShowMessageBox(message, LoadMessage(IDS_KLN_ERROR), MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tidewell
