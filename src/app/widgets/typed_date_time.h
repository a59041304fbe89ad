#pragma once

#include <QDateEdit>
#include <QDateTime>
#include <QDateTimeEdit>
#include <QString>
#include <QTimeEdit>

class QKeyEvent;

namespace tidewell {

// Typing into a date or time field part by part, as Qt does it, with two mends. A separator
// typed right after a part that filled up itself does not skip the next part, so a whole
// "2027-02-03 15:00:00" (or "2027-2-3 15:0:0", or the digits alone) lands where it was typed.
// A digit the part cannot take (a 13th month, a 30 February, a fourth digit) is never moved
// on to the next part nor corrected into another number: the field goes back to the value
// it had before the typing began, says so beside itself, and ignores the rest of that typing
// until another key, a click or the focus ends it.
class DateTimeTyping {
public:
    // Whether the key goes on to the field.
    bool Before(QDateTimeEdit& edit, const QKeyEvent& event);
    // After the field took a key that Before let through.
    void After(QDateTimeEdit& edit, const QKeyEvent& event);
    void EndRun();

private:
    void Refuse(QDateTimeEdit& edit);

    QString m_run;  // what was typed since the run began
    QDateTime m_runStart;
    bool m_refused = false;
    int m_section = -1;  // the part the digits in m_typed went into
    QString m_typed;
    bool m_advanced = false;  // the last digit moved on to the next part by itself
    bool m_short = false;     // ... before the part had all its digits
};

// A Qt date or time field typed as DateTimeTyping says. It keeps the class of its base, so
// that finding a QTimeEdit finds it.
template <typename Edit>
class CTypedDateTime final : public Edit {
public:
    using Edit::Edit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!m_typing.Before(*this, *event)) return;
        Edit::keyPressEvent(event);
        m_typing.After(*this, *event);
    }
    void focusInEvent(QFocusEvent* event) override {
        m_typing.EndRun();
        Edit::focusInEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        m_typing.EndRun();
        Edit::mousePressEvent(event);
    }

private:
    DateTimeTyping m_typing;
};

using CDateTimeField = CTypedDateTime<QDateTimeEdit>;
using CDateField = CTypedDateTime<QDateEdit>;
using CTimeField = CTypedDateTime<QTimeEdit>;

}  // namespace tidewell
