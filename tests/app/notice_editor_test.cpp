// The notice text editor: its status line, its files, its size limit and its closing question.
#include <QMimeData>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QUrl>

#include "app/windows/notice_text.h"
#include "app/task_sheet/notice_text_editor.h"
#include "app/sheet_fixture.h"
#include "base/text_util.h"

namespace tidewell::testing {
namespace {

class NoticeEditorTest : public SheetFixture {};

TEST_F(NoticeEditorTest, TheStatusLineNamesCaretSelectionLinesAndSize) {
    const QString text = QStringLiteral("first line\nsecond\n三行 third");
    struct Case {
        int anchor;
        int position;
        const char* status;
    };
    const Case cases[] = {
        {0, 0, "Ln 1, Col 1"},
        {13, 13, "Ln 2, Col 3"},
        {20, 20, "Ln 3, Col 3"},              // after two Chinese characters
        {2, 6, "Ln 1, Col 3+4, Sel 4"},       // within a line
        {6, 2, "Ln 1, Col 3+4, Sel 4"},       // selected backwards
        {8, 14, "Ln 1-2, Col 9+6, Sel 6"},    // across lines: the line break counts as one
        {0, 26, "Ln 1-3, Col 1+26, Sel 26"},  // everything
    };
    for (const Case& c : cases) {
        const NoticeStatus status = NoticeStatusTexts(text, c.anchor, c.position);
        EXPECT_EQ(status.position.toStdString(), c.status) << c.anchor << "-" << c.position;
        EXPECT_EQ(status.lineCount.toStdString(), "Ln Cnt 3");
        EXPECT_EQ(status.textSize.toStdString(), "Text Size 26");
    }
    EXPECT_EQ(NoticeStatusTexts({}, 0, 0).lineCount, "Ln Cnt 1");
    EXPECT_EQ(NoticeStatusTexts(QStringLiteral("😀"), 2, 2).position, "Ln 1, Col 2")
        << "a pair is one character";
}

TEST_F(NoticeEditorTest, TheEditorsStatusFollowsTheCaret) {
    CNoticeTextEditor editor(QStringLiteral("one\ntwo"), m_context);
    auto* edit = Find<QPlainTextEdit>(&editor, "noticeTextEdit");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    EXPECT_EQ(editor.StatusText(), "Ln 1-2, Col 2+5, Sel 5 | Ln Cnt 2 | Text Size 7");
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(NoticeEditorTest, FilesAreReadAsUtf8TextOrRefusedWithAReason) {
    const std::string path = m_folder.File("notice.txt");
    const std::string notText = ReplaceAll(LoadMessage(IDS_DIALOG_NTE_NOT_UTF8_TEXT), "#1", path);
    struct Case {
        const char* name;
        std::string bytes;
        bool ok;
        QString text;
        std::string message;
    };
    const Case cases[] = {
        {"CR LF and a byte-order mark",
         "\xEF\xBB\xBFGo home\r\n回家\r\n",
         true,
         QStringLiteral("Go home\n回家\n"),
         {}},
        {"lone CR", "a\rb", true, QStringLiteral("a\nb"), {}},
        {"Latin-1 bytes", "caf\xE9", false, {}, notText},
        {"a NUL byte", std::string("a\0b", 3), false, {}, notText},
        {"longer than the limit",
         std::string(kMaxNoticeTextLength + 1, 'x'),
         false,
         {},
         NoticeTooLongMessage()},
        {"larger than any text",
         std::string(kMaxNoticeFileBytes + 1, 'x'),
         false,
         {},
         NoticeTooLongMessage()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileText(path, c.bytes);
        const NoticeFileText file = ReadNoticeFile(path);
        EXPECT_EQ(file.ok, c.ok);
        EXPECT_EQ(file.text, c.text);
        EXPECT_EQ(file.message, c.message);
    }
    EXPECT_EQ(ReadNoticeFile(m_folder.File("missing.txt")).message,
              ReplaceAll(LoadMessage(IDS_ERROR_FILE_FILE_NOT_FOUND), "#1", m_folder.File("missing.txt")));
}

TEST_F(NoticeEditorTest, ReadAndSaveButtonsUseTheirRememberedFolders) {
    const std::string in = m_folder.File("in.txt");
    const std::string out = m_folder.File("out.txt");
    WriteFileText(in, "line 1\r\nline 2");
    CNoticeTextEditor editor(QStringLiteral("old"), m_context);
    m_dialogs.Choose(in);
    Find<QToolButton>(&editor, "noticeReadButton")->click();
    EXPECT_EQ(editor.Text(), "line 1\nline 2");
    EXPECT_TRUE(editor.IsModified());
    m_dialogs.Choose(out);
    Find<QToolButton>(&editor, "noticeSaveButton")->click();
    EXPECT_EQ(ReadFileText(out), "line 1\r\nline 2") << "written with CR LF";
    EXPECT_EQ(m_settings.ReadSettingString("File", "Last NTE Open File Folder", {}), m_folder.Path());
    EXPECT_EQ(m_settings.ReadSettingString("File", "Last NTE Save File Folder", {}), m_folder.Path());

    WriteFileText(in, "caf\xE9");
    m_dialogs.Choose(in);
    Find<QToolButton>(&editor, "noticeReadButton")->click();
    EXPECT_EQ(editor.Text(), "line 1\nline 2") << "a refused file changes nothing";
    EXPECT_EQ(Messages().back(), ReplaceAll(LoadMessage(IDS_DIALOG_NTE_NOT_UTF8_TEXT), "#1", in));
    Find<QPlainTextEdit>(&editor, "noticeTextEdit")->undo();
    EXPECT_EQ(editor.Text(), "old") << "reading a file can be undone";
}

TEST_F(NoticeEditorTest, AFileDroppedOnTheTextIsRead) {
    const std::string path = m_folder.File("dropped.txt");
    WriteFileText(path, "from a drop");
    CNoticeTextEditor editor({}, m_context);
    editor.show();
    QWidget* viewport = Find<QPlainTextEdit>(&editor, "noticeTextEdit")->viewport();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    EXPECT_EQ(editor.Text(), "from a drop");
}

TEST_F(NoticeEditorTest, TextBeyondTheLimitIsCutWhereItWasTyped) {
    struct Case {
        QString text;
        int caret;
        QString kept;
        int caretAfter;
    };
    const QString full(kMaxNoticeTextLength, 'a');
    const Case cases[] = {
        {full + "XY", kMaxNoticeTextLength + 2, full, kMaxNoticeTextLength},
        {"XY" + full, 2, full, 0},                 // pasted at the start
        {"X" + full + "Y", 1, full, 0},            // before the caret first, then the end
        {QStringLiteral("😀") + full, 2, full, 0},  // a surrogate pair goes whole
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caret);
        int caret = c.caret;
        EXPECT_EQ(CutToNoticeLimit(c.text, caret), c.kept);
        EXPECT_EQ(caret, c.caretAfter);
    }
    CNoticeTextEditor editor(full, m_context);
    auto* edit = Find<QPlainTextEdit>(&editor, "noticeTextEdit");
    edit->moveCursor(QTextCursor::End);
    edit->insertPlainText("more");
    EXPECT_EQ(editor.Text(), full);
    QApplication::processEvents();
    EXPECT_EQ(Messages().back(), NoticeTooLongMessage());
}

TEST_F(NoticeEditorTest, ClosingWithChangesAsksFirst) {
    struct Case {
        int answer;
        bool stillOpen;
        int result;
    };
    const Case cases[] = {
        {IDYES, false, QDialog::Accepted}, {IDNO, false, QDialog::Rejected}, {IDCANCEL, true, -1}};
    for (const Case& c : cases) {
        CNoticeTextEditor editor(QStringLiteral("text"), m_context);
        editor.show();
        editor.reject();
        EXPECT_FALSE(editor.isVisible()) << "unchanged text closes without a question";
        const size_t asked = m_messageBox.CallCount();
        editor.show();
        Find<QPlainTextEdit>(&editor, "noticeTextEdit")->insertPlainText("more ");
        m_messageBox.AnswerNext(c.answer);
        editor.close();
        EXPECT_EQ(m_messageBox.CallCount(), asked + 1);
        EXPECT_EQ(m_messageBox.LastCall().text, LoadMessage(IDS_DIALOG_NTE_PROMPT_SAVE));
        EXPECT_EQ(editor.isVisible(), c.stillOpen);
        if (!c.stillOpen) {
            EXPECT_EQ(editor.result(), c.result);
        }
    }
}

}  // namespace
}  // namespace tidewell::testing
