// The notice text editor: its status line, its files, its size limit and its closing question.
#include <QPlainTextEdit>

#include "app/sheet_fixture.h"
#include "app/task_sheet/notice_text_editor.h"
#include "app/windows/notice_text.h"
#include "base/text_util.h"

namespace tidewell::testing {
namespace {

class NoticeEditorTest : public SheetFixture {};

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

}  // namespace
}  // namespace tidewell::testing
