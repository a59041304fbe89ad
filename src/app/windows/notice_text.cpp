#include "app/windows/notice_text.h"

#include <QStringDecoder>

#include "app/widgets/qt_text.h"
#include "base/text_util.h"
#include "files/durable_file.h"
#include "files/whole_file.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

// Code points of text[from, to).
int CodePoints(const QString& text, qsizetype from, qsizetype to) {
    int count = 0;
    for (qsizetype i = from; i < to; ++i) {
        if (!text[i].isLowSurrogate() || i == from || !text[i - 1].isHighSurrogate()) ++count;
    }
    return count;
}

QString Filled(int32_t id, const QString& one, const QString& two = {}, const QString& three = {}) {
    QString text = MessageText(id);
    text.replace(QLatin1String("#1"), one);
    text.replace(QLatin1String("#2"), two);
    text.replace(QLatin1String("#3"), three);
    return text;
}

}  // namespace

int NoticeTextLength(const QString& text) {
    return CodePoints(text, 0, text.size());
}

QString CutToNoticeLimit(QString text, int& caret) {
    int excess = NoticeTextLength(text) - kMaxNoticeTextLength;
    caret = std::clamp(caret, 0, static_cast<int>(text.size()));
    // Removes the character that ends at `at`, a surrogate pair whole; returns its width.
    auto removeBefore = [&text](int at) {
        const int width = at >= 2 && text[at - 1].isLowSurrogate() && text[at - 2].isHighSurrogate() ? 2 : 1;
        text.remove(at - width, width);
        return width;
    };
    for (; excess > 0 && caret > 0; --excess) caret -= removeBefore(caret);
    for (; excess > 0 && !text.isEmpty(); --excess) removeBefore(static_cast<int>(text.size()));
    return text;
}

std::string NoticeTooLongMessage() {
    std::string text = ReplaceAll(LoadMessage(IDS_ERROR_STRING_MAX_LENGTH_FOR_A_IS_B), "#1",
                                  LoadMessage(IDS_DIALOG_NTE_NOTICE_TEXT));
    return ReplaceAll(std::move(text), "#2", std::to_string(kMaxNoticeTextLength));
}

std::string StoredNoticeText(const QString& text) {
    QString stored = text;
    stored.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    stored.replace('\r', '\n');
    stored.replace('\n', QLatin1String("\r\n"));
    return ToStdString(stored);
}

NoticeStatus NoticeStatusTexts(const QString& text, int anchor, int position) {
    const qsizetype size = text.size();
    const qsizetype start = std::clamp<qsizetype>(std::min(anchor, position), 0, size);
    const qsizetype end = std::clamp<qsizetype>(std::max(anchor, position), 0, size);
    const qsizetype firstLine = text.left(start).count('\n') + 1;
    const qsizetype lastLine = text.left(end).count('\n') + 1;
    const qsizetype lineStart = text.lastIndexOf('\n', start - 1) + 1;
    const int column = CodePoints(text, lineStart, start) + 1;
    NoticeStatus status;
    if (start == end) {
        status.position =
            Filled(IDS_DIALOG_NTE_PROPERTIES_INDEX, QString::number(firstLine), QString::number(column));
    } else {
        const QString selected = QString::number(CodePoints(text, start, end));
        const QString line = firstLine == lastLine ? QString::number(firstLine)
                                                   : QStringLiteral("%1-%2").arg(firstLine).arg(lastLine);
        status.position = Filled(IDS_DIALOG_NTE_PROPERTIES_INDEX_SELECTED, line,
                                 QStringLiteral("%1+%2").arg(column).arg(selected), selected);
    }
    status.lineCount = Filled(IDS_DIALOG_NTE_PROPERTIES_LC, QString::number(text.count('\n') + 1));
    status.textSize = Filled(IDS_DIALOG_NTE_PROPERTIES_TS, QString::number(NoticeTextLength(text)));
    return status;
}

NoticeFileText ReadNoticeFile(const std::string& path) {
    std::string bytes;
    const Result read = ReadWholeFile(path, bytes, kMaxNoticeFileBytes);
    if (read.kind() == ErrorKind::invalid) return {false, {}, NoticeTooLongMessage()};
    if (read.kind() == ErrorKind::notFound) return {false, {}, read.message()};
    if (!read.ok()) return {false, {}, FileMessage(IDS_ERROR_FILE_CAN_NOT_OPEN_FILE_CHECK_FP, path)};
    std::string_view content = bytes;
    if (content.starts_with(kUtf8Bom)) content.remove_prefix(3);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(content.data(), static_cast<qsizetype>(content.size())));
    if (decoder.hasError() || content.find('\0') != std::string_view::npos) {
        return {false, {}, FileMessage(IDS_DIALOG_NTE_NOT_UTF8_TEXT, path)};
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace('\r', '\n');
    if (NoticeTextLength(text) > kMaxNoticeTextLength) return {false, {}, NoticeTooLongMessage()};
    return {true, text, {}};
}

Result WriteNoticeFile(const std::string& path, const QString& text) {
    return WriteFileDurably(path, StoredNoticeText(text));
}

}  // namespace tidewell
