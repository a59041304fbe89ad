#include "app/summary_page.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/page_widgets.h"
#include "app/qt_text.h"
#include "text/messages.h"
#include "timing/description.h"

namespace tidewell {
namespace {

// "Heading:" and the section's lines indented below it.
QString Section(int32_t headingId, const std::string& text) {
    QString body = DisplayText(text).trimmed();
    body.replace('\n', QStringLiteral("\n    "));
    return QStringLiteral("%1:\n    %2\n").arg(PlainCaption(headingId), body);
}

}  // namespace

CSummaryPage::CSummaryPage(TaskRecord& task, SheetContext& context, QWidget* parent)
    : COptionsPage(task, context, IDS_KLN_SUMMARY, parent), m_summary(new QPlainTextEdit(this)) {
    setObjectName("summaryPage");
    m_summary->setObjectName("summaryText");
    m_summary->setReadOnly(true);
    m_summary->setTabChangesFocus(true);
    m_summary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(TextLabel(IDS_TIDEWELL_SUMMARYPAGE_ADDRESS, this, "summaryAddress"));
    layout->addWidget(m_summary, 1);
    layout->addWidget(TextLabel(IDS_TIDEWELL_SUMMARYPAGE_CLICK_FINISH, this, "summaryClickFinish"));
}

void CSummaryPage::LoadFromTask() {
    TaskRecord& task = Task();
    // Describing the task may draw its final random time, as the task will keep it.
    const TaskDescription description =
        DescribeTask(task, Context().descriptions, {Context().clock, Context().random});
    QString text = QStringLiteral("%1:\n    %2\n").arg(PlainCaption(IDS_KLN_TITLE), ToQString(task.title));
    text += Section(IDS_TIDEWELL_KLN_TASK, description.task);
    text += Section(IDS_TIDEWELL_SOUNDPAGE_TITLE, description.sound);
    text += Section(IDS_TIDEWELL_SCHEDULEPAGE_TITLE, description.schedule);
    text += Section(IDS_TIDEWELL_RANDOMPAGE_TITLE, description.randomization);
    text += Section(IDS_TIDEWELL_WTPAGE_TITLE, description.waiting);
    m_summary->setPlainText(text);
}

QString CSummaryPage::SummaryText() const {
    return m_summary->toPlainText();
}

}  // namespace tidewell
