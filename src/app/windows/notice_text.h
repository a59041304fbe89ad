#pragma once

#include <QString>
#include <string>

#include "base/result.h"

namespace tidewell {

// The notice text of a notice task and its files.
//
// Size: a notice text holds at most kMaxNoticeTextLength characters (Unicode code points, a
// line break counting as one), the most a notice window shows in reason; the editors refuse
// more, and a longer file is not read.
//
// Files: read and written as UTF-8. A byte-order mark at the start is skipped; a file that is
// not valid UTF-8 or holds a NUL byte is refused with a message that says so, and the text in
// the editor stays as it was. Line breaks are read as CR LF, LF or CR, kept as CR LF in the
// task, and written as CR LF, like every file the program writes.
inline constexpr int kMaxNoticeTextLength = 32767;
// A file longer than this cannot hold an acceptable text: four bytes per character at most.
inline constexpr size_t kMaxNoticeFileBytes = 4 * kMaxNoticeTextLength + 3;

// Characters of the text, as the size limit counts them.
int NoticeTextLength(const QString& text);

// A text cut to the limit: the characters just before the caret go first (what was just typed
// or pasted), then those at the end. `caret` moves with the cut.
QString CutToNoticeLimit(QString text, int& caret);

// The "maximum length" message of the notice text.
std::string NoticeTooLongMessage();

// A multi-line text of an edit control as the task keeps it: CR LF line breaks.
std::string StoredNoticeText(const QString& text);

// The three parts of the editor's status line for a text and a selection from `anchor` to
// `position` (offsets into the text, as a text cursor gives them): "Ln 3, Col 5" or, with a
// selection, "Ln 2-4, Col 3+17, Sel 17"; "Ln Cnt 4"; "Text Size 120".
struct NoticeStatus {
    QString position;
    QString lineCount;
    QString textSize;
};
NoticeStatus NoticeStatusTexts(const QString& text, int anchor, int position);

// The text of a notice file, or why it cannot be read (the program's own words).
struct NoticeFileText {
    bool ok = false;
    QString text;  // LF line breaks, as an edit control holds them
    std::string message;
};
NoticeFileText ReadNoticeFile(const std::string& path);

// Writes the text as UTF-8 with CR LF line breaks, replacing the file whole or not at all.
Result WriteNoticeFile(const std::string& path, const QString& text);

}  // namespace tidewell
