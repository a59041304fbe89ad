#include "app/task_sheet/notice_text_editor.h"

#include <QDialogButtonBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/dialogs/file_dialogs.h"
#include "app/widgets/page_widgets.h"
#include "app/widgets/qt_text.h"
#include "app/windows/notice_text.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr int kMinimumWidth = 420;
constexpr int kMinimumHeight = 280;
constexpr int kStartWidth = 640;
constexpr int kStartHeight = 420;

QIcon ThemeIcon(const char* name, const QIcon& fallback) {
    return QIcon::fromTheme(QString::fromLatin1(name), fallback);
}

QLabel* StatusPart(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}

}  // namespace

CNoticeTextEditor::CNoticeTextEditor(const QString& text, SheetContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_edit(new QPlainTextEdit(this)),
      m_position(StatusPart(this, "noticeStatusPosition")),
      m_lineCount(StatusPart(this, "noticeStatusLineCount")),
      m_textSize(StatusPart(this, "noticeStatusTextSize")) {
    setObjectName("noticeTextEditor");
    setWindowTitle(MessageText(IDS_DIALOG_NTE_TITLE));
    setSizeGripEnabled(true);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kStartWidth, kStartHeight);
    setAcceptDrops(true);
    m_edit->setObjectName("noticeTextEdit");
    m_edit->setTabChangesFocus(true);
    m_edit->setPlainText(text);
    m_edit->viewport()->installEventFilter(this);

    const QStyle* look = style();
    auto* tools = new QHBoxLayout;
    tools->setSpacing(2);
    tools->addWidget(ToolButton(look->standardIcon(QStyle::SP_DialogOpenButton),
                                IDS_DIALOG_NTE_READ_FROM_FILE, QKeySequence::Open, "noticeReadButton",
                                &CNoticeTextEditor::OnRead));
    tools->addWidget(ToolButton(look->standardIcon(QStyle::SP_DialogSaveButton), IDS_DIALOG_NTE_SAVE_TO_FILE,
                                QKeySequence::Save, "noticeSaveButton", &CNoticeTextEditor::OnSave));
    tools->addSpacing(8);
    tools->addWidget(ToolButton(ThemeIcon("edit-cut", {}), IDS_TIP_CUT, QKeySequence::Cut, "noticeCutButton",
                                &CNoticeTextEditor::OnCut));
    tools->addWidget(ToolButton(ThemeIcon("edit-copy", {}), IDS_TIP_COPY, QKeySequence::Copy,
                                "noticeCopyButton", &CNoticeTextEditor::OnCopy));
    tools->addWidget(ToolButton(ThemeIcon("edit-paste", {}), IDS_TIP_PASTE, QKeySequence::Paste,
                                "noticePasteButton", &CNoticeTextEditor::OnPaste));
    tools->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName("noticeButtons");
    QPushButton* ok = buttons->addButton(MessageText(IDS_DIALOG_OK), QDialogButtonBox::AcceptRole);
    ok->setObjectName("noticeOkButton");
    QPushButton* cancel = buttons->addButton(MessageText(IDS_DIALOG_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName("noticeCancelButton");
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNoticeTextEditor::reject);

    auto* status = new QHBoxLayout;
    status->addWidget(m_position, 1);
    status->addWidget(m_lineCount);
    status->addWidget(m_textSize);
    status->addSpacing(12);
    status->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_edit, 1);
    layout->addLayout(status);

    connect(m_edit, &QPlainTextEdit::textChanged, this, &CNoticeTextEditor::OnTextChanged);
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &CNoticeTextEditor::UpdateStatus);
    connect(m_edit, &QPlainTextEdit::selectionChanged, this, &CNoticeTextEditor::UpdateStatus);
    UpdateStatus();
}

QToolButton* CNoticeTextEditor::ToolButton(const QIcon& icon, int32_t tipId, const QKeySequence& keys,
                                           const char* name, void (CNoticeTextEditor::*action)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    const QString tip = PlainCaption(tipId);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText)));
    if (icon.isNull()) {
        button->setText(tip);
    } else {
        button->setIcon(icon);
        button->setIconSize(QSize(20, 20));
    }
    // The edit control takes its own cut, copy and paste keys first while it has the focus.
    button->setShortcut(keys);
    connect(button, &QToolButton::clicked, this, [this, action] {
        (this->*action)();
        m_edit->setFocus();
    });
    return button;
}

QString CNoticeTextEditor::Text() const {
    return m_edit->toPlainText();
}

QString CNoticeTextEditor::StatusText() const {
    return QStringLiteral("%1 | %2 | %3").arg(m_position->text(), m_lineCount->text(), m_textSize->text());
}

bool CNoticeTextEditor::ReadFile(const std::string& path) {
    const NoticeFileText file = ReadNoticeFile(path);
    if (!file.ok) {
        ShowMessage(file.message, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // Through the cursor, so that Undo brings the earlier text back.
    QTextCursor cursor = m_edit->textCursor();
    cursor.select(QTextCursor::Document);
    cursor.insertText(file.text);
    m_edit->moveCursor(QTextCursor::Start);
    return true;
}

void CNoticeTextEditor::OnRead() {
    const BrowseRequest request{IDS_TIDEWELL_FILE_TYPE_ALL_FILES,
                                browse_keys::kNoticeFileSection,
                                browse_keys::kLastNoticeOpenFolder,
                                {},
                                0,
                                PlainCaption(IDS_DIALOG_NTE_READ_FROM_FILE)};
    if (std::optional<std::string> chosen = BrowseForFile(m_context, this, request)) ReadFile(*chosen);
}

void CNoticeTextEditor::OnSave() {
    const BrowseRequest request{IDS_TIDEWELL_FILE_TYPE_ALL_FILES,
                                browse_keys::kNoticeFileSection,
                                browse_keys::kLastNoticeSaveFolder,
                                {},
                                0,
                                PlainCaption(IDS_DIALOG_NTE_SAVE_TO_FILE)};
    std::optional<std::string> chosen = BrowseForSaveFile(m_context, this, request);
    if (!chosen) return;
    if (Result written = WriteNoticeFile(*chosen, Text()); !written)
        ShowMessage(written.message(), MB_OK | MB_ICONEXCLAMATION);
}

void CNoticeTextEditor::OnCut() {
    m_edit->cut();
}

void CNoticeTextEditor::OnCopy() {
    m_edit->copy();
}

void CNoticeTextEditor::OnPaste() {
    m_edit->paste();
}

void CNoticeTextEditor::OnTextChanged() {
    if (m_trimming) return;
    m_modified = true;
    if (NoticeTextLength(Text()) > kMaxNoticeTextLength) {
        int caret = m_edit->textCursor().position();
        const QString cut = CutToNoticeLimit(Text(), caret);
        m_trimming = true;
        QTextCursor cursor = m_edit->textCursor();
        cursor.select(QTextCursor::Document);
        cursor.insertText(cut);
        cursor.setPosition(caret);
        m_edit->setTextCursor(cursor);
        m_trimming = false;
        // After the edit control has finished the change that went too far.
        QTimer::singleShot(0, this,
                           [this] { ShowMessage(NoticeTooLongMessage(), MB_OK | MB_ICONEXCLAMATION); });
    }
    UpdateStatus();
}

void CNoticeTextEditor::UpdateStatus() {
    const QTextCursor cursor = m_edit->textCursor();
    const NoticeStatus status = NoticeStatusTexts(Text(), cursor.anchor(), cursor.position());
    m_position->setText(status.position);
    m_lineCount->setText(status.lineCount);
    m_textSize->setText(status.textSize);
}

void CNoticeTextEditor::reject() {
    if (!m_modified) {
        QDialog::reject();
        return;
    }
    switch (m_context.messageBox.ShowMessageBox(LoadMessage(IDS_DIALOG_NTE_PROMPT_SAVE),
                                                LoadMessage(IDS_DIALOG_NTE_TITLE),
                                                MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: accept(); break;
        case IDNO: QDialog::reject(); break;
        default: break;
    }
}

void CNoticeTextEditor::ShowMessage(const std::string& text, uint32_t style) {
    m_context.messageBox.ShowMessageBox(text, LoadMessage(IDS_DIALOG_NTE_TITLE), style);
}

QString CNoticeTextEditor::DroppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return {};
}

bool CNoticeTextEditor::eventFilter(QObject* watched, QEvent* event) {
    // Files dropped on the edit control are read; dropped text is the control's own business.
    if (watched == m_edit->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!DroppedFile(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString file = DroppedFile(drop->mimeData());
            if (!file.isEmpty()) {
                drop->acceptProposedAction();
                ReadFile(ToStdString(file));
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CNoticeTextEditor::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CNoticeTextEditor::dropEvent(QDropEvent* event) {
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    ReadFile(ToStdString(file));
}

}  // namespace tidewell
