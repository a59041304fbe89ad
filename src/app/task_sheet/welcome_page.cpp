#include "app/task_sheet/welcome_page.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/widgets/page_widgets.h"
#include "text/messages.h"

namespace tidewell {

CWelcomePage::CWelcomePage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_TIDEWELL_OPTIONS_WELCOME_TITLE, parent) {
    setObjectName("welcomePage");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLabel(IDS_TIDEWELL_OPTIONS_WELCOME_INFO, this, "welcomeInfo"));
    layout->addStretch(1);
}

}  // namespace tidewell
