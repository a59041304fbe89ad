#pragma once

#include <QDialog>
#include <string>

#include "app/task_sheet/sheet_context.h"

class QLabel;
class QMimeData;
class QPlainTextEdit;
class QToolButton;

namespace tidewell {

// The notice text editor: a resizable dialog over the task page with one multi-line edit
// control, buttons to read the text from a file, save it to a file, cut, copy and paste, and
// a status line with the caret position, the line count and the text size. A file dropped on
// it is read as the read button reads it. OK keeps the text; Cancel, Escape and the close box
// ask first when the text was changed. Size limit and file encoding: see app/notice_text.h.
class CNoticeTextEditor final : public QDialog {
    Q_OBJECT

public:
    CNoticeTextEditor(const QString& text, SheetContext& context, QWidget* parent = nullptr);

    QString Text() const;
    bool IsModified() const { return m_modified; }
    // The status line as it reads now: position, line count, text size.
    QString StatusText() const;
    // Replaces the text with the file's, or shows why it cannot; false when it cannot.
    bool ReadFile(const std::string& path);

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QToolButton* ToolButton(const QIcon& icon, int32_t tipId, const QKeySequence& keys, const char* name,
                            void (CNoticeTextEditor::*action)());
    void OnRead();
    void OnSave();
    void OnCut();
    void OnCopy();
    void OnPaste();
    void OnTextChanged();
    void UpdateStatus();
    void ShowMessage(const std::string& text, uint32_t style);
    // The first local file of a drag, or empty.
    static QString DroppedFile(const QMimeData* data);

    SheetContext& m_context;
    QPlainTextEdit* m_edit;
    QLabel* m_position;
    QLabel* m_lineCount;
    QLabel* m_textSize;
    bool m_modified = false;
    bool m_trimming = false;
};

}  // namespace tidewell
