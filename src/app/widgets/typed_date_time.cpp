#include "app/widgets/typed_date_time.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

#include "app/widgets/qt_text.h"
#include "text/messages.h"

namespace tidewell {
namespace {

constexpr int kYearDigits = 4;
constexpr int kPartDigits = 2;

bool IsTyping(const QKeyEvent& event) {
    const QString text = event.text();
    return text.size() == 1 && text[0].isPrint() &&
           (event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
}

// Shift and the other modifiers come as keys of their own, ":" typed with its Shift first.
bool IsModifierOnly(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock: return true;
        default: return false;
    }
}

bool IsDigit(const QKeyEvent& event) {
    return IsTyping(event) && event.text()[0].isDigit();
}

int Digits(QDateTimeEdit::Section section) {
    return section == QDateTimeEdit::YearSection ? kYearDigits : kPartDigits;
}

bool AllSelected(const QDateTimeEdit& edit) {
    const QLineEdit* line = edit.findChild<QLineEdit*>();
    return line != nullptr && line->hasSelectedText() && line->selectedText() == line->text();
}

}  // namespace

bool DateTimeTyping::Before(QDateTimeEdit& edit, const QKeyEvent& event) {
    if (IsModifierOnly(event)) return true;
    if (!IsTyping(event)) {
        EndRun();
        return true;
    }
    if (m_refused) return false;
    if (m_run.isEmpty()) m_runStart = edit.dateTime();
    m_run += event.text();
    // Typing over the whole text starts at its first part, not in a text of one digit.
    if (AllSelected(edit)) {
        edit.setSelectedSection(edit.sectionAt(0));
        m_section = -1;
        m_advanced = false;
    }
    const QChar typed = event.text()[0];
    if (typed.isDigit()) {
        // The part moved on because no digit could follow: this one belonged to it.
        if (m_advanced && m_short) {
            Refuse(edit);
            return false;
        }
        if (edit.currentSectionIndex() != m_section) {
            m_section = edit.currentSectionIndex();
            m_typed.clear();
        }
        m_typed += typed;
        m_advanced = false;
        return true;
    }
    // The separator of a part that moved on by itself: the move is made already.
    if (m_advanced && !typed.isLetter()) {
        m_advanced = false;
        return false;
    }
    m_section = -1;
    m_typed.clear();
    m_advanced = false;
    return true;
}

void DateTimeTyping::After(QDateTimeEdit& edit, const QKeyEvent& event) {
    if (!IsDigit(event) || m_section < 0) return;
    const QDateTimeEdit::Section section = edit.sectionAt(m_section);
    const int digits = Digits(section);
    const QString shown = edit.sectionText(section);
    // Qt drops a digit it cannot take and corrects a day past the month's end: both refused.
    if (shown != m_typed && shown != m_typed.rightJustified(digits, u'0')) {
        Refuse(edit);
        return;
    }
    if (edit.currentSectionIndex() == m_section) return;
    m_advanced = true;
    m_short = m_typed.size() < digits;
    m_section = edit.currentSectionIndex();
    m_typed.clear();
}

void DateTimeTyping::EndRun() {
    m_run.clear();
    m_refused = false;
    m_section = -1;
    m_typed.clear();
    m_advanced = false;
    m_short = false;
}

void DateTimeTyping::Refuse(QDateTimeEdit& edit) {
    m_refused = true;
    edit.setDateTime(m_runStart);
    edit.setSelectedSection(edit.sectionAt(0));
    const QString message =
        MessageText(IDS_TIDEWELL_FIELD_NO_SUCH_DATE_TIME, ToStdString(m_run), ToStdString(edit.text()));
    QToolTip::showText(edit.mapToGlobal(QPoint(0, edit.height())), message, &edit);
    QApplication::beep();
}

}  // namespace tidewell
