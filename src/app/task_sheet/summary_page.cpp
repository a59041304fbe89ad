#include "app/task_sheet/summary_page.h"

#include <QLabel>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "overview/description.h"
#include "text/messages.h"

namespace tidewell {
namespace {

// The heading in bold and the section's lines indented below it.
QString Section(int32_t headingId, const QString& text) {
    QString body = text.trimmed().toHtmlEscaped();
    body.replace('\n', QStringLiteral("<br>"));
    return QStringLiteral(
               "<p style=\"margin-bottom:0\"><b>%1</b></p><p style=\"margin-top:2px; "
               "margin-left:16px\">%2</p>")
        .arg(PlainCaption(headingId).toHtmlEscaped(), body);
}

}  // namespace

CSummaryPage::CSummaryPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_KLN_SUMMARY, parent), m_summary(new QTextEdit(this)) {
    setObjectName("summaryPage");
    m_summary->setObjectName("summaryText");
    m_summary->setReadOnly(true);
    m_summary->setTabChangesFocus(true);
    m_summary->setLineWrapMode(QTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLabel(IDS_TIDEWELL_SUMMARYPAGE_ADDRESS, this, "summaryAddress"));
    layout->addWidget(m_summary, 1);
    layout->addWidget(TextLabel(IDS_TIDEWELL_SUMMARYPAGE_CLICK_FINISH, this, "summaryClickFinish"));
}

void CSummaryPage::LoadFromTask() {
    const TaskRecord& task = Task();
    // The task as the pages left it: the final random time is the one the randomization page showed.
    const TaskDescription description =
        DescribeTask(task, Context().descriptions, {Context().clock, Context().random});
    QString html = Section(IDS_KLN_TITLE, ToQString(task.title));
    html += Section(IDS_TIDEWELL_KLN_TASK, DisplayText(description.task));
    html += Section(IDS_TIDEWELL_SOUNDPAGE_TITLE, DisplayText(description.sound));
    html += Section(IDS_TIDEWELL_SCHEDULEPAGE_TITLE, DisplayText(description.schedule));
    html += Section(IDS_TIDEWELL_RANDOMPAGE_TITLE, DisplayText(description.randomization));
    html += Section(IDS_TIDEWELL_WTPAGE_TITLE, DisplayText(description.waiting));
    m_summary->setHtml(html);
}

QString CSummaryPage::SummaryText() const {
    return m_summary->toPlainText();
}

}  // namespace tidewell
