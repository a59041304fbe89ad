#include "app/widgets/page_widgets.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QRegularExpression>

#include "app/widgets/qt_text.h"
#include "timing/unit_name.h"

namespace tidewell {

QLabel* BuddyLabel(int32_t id, QWidget* buddy, QWidget* parent, const char* objectName) {
    auto* label = new QLabel(MessageText(id), parent);
    label->setObjectName(objectName);
    label->setBuddy(buddy);
    return label;
}

QLabel* TextLabel(int32_t id, QWidget* parent, const char* objectName) {
    auto* label = new QLabel(MessageText(id), parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    return label;
}

QString WithoutMnemonic(int32_t id) {
    QString text = MessageText(id);
    static const QRegularExpression kChineseMnemonic(QStringLiteral("\\(&.\\)"));
    text.remove(kChineseMnemonic);
    return text.remove('&');
}

QString PlainCaption(int32_t id) {
    QString text = WithoutMnemonic(id);
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A)) || text.endsWith(QLatin1String("...")))
        text.chop(text.endsWith(QLatin1String("...")) ? 3 : 1);
    return text.trimmed();
}

void ChainTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void FillUnits(QComboBox* combo, TimeUnit first, TimeUnit last, TimeUnit selected) {
    combo->clear();
    for (int code = static_cast<int>(first); code <= static_cast<int>(last); ++code)
        combo->addItem(ToQString(UnitName(static_cast<TimeUnit>(code))), code);
    SelectCode(combo, static_cast<int>(selected));
}

TimeUnit SelectedUnit(const QComboBox* combo) {
    return static_cast<TimeUnit>(SelectedCode(combo));
}

void SelectCode(QComboBox* combo, int code) {
    const int index = combo->findData(code);
    combo->setCurrentIndex(index < 0 ? 0 : index);
}

int SelectedCode(const QComboBox* combo) {
    return combo->currentData().toInt();
}

QDateTime ToQDateTime(const DateTime& value, const DateTime& fallback) {
    const DateTime& shown = value.IsValid() ? value : fallback;
    return QDateTime(QDate(shown.GetYear(), shown.GetMonth(), shown.GetDay()),
                     QTime(shown.GetHour(), shown.GetMinute(), shown.GetSecond()));
}

DateTime FromQDateTime(const QDateTime& value) {
    const QDate date = value.date();
    const QTime time = value.time();
    return DateTime::FromParts(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                               time.second());
}

QTime ToQTime(const DateTime& value) {
    if (!value.IsValid()) return QTime(0, 0, 0);
    return QTime(value.GetHour(), value.GetMinute(), value.GetSecond());
}

DateTime TimeOfDayValue(const QTime& time) {
    return DateTime::FromParts(1899, 12, 30, time.hour(), time.minute(), time.second());
}

}  // namespace tidewell
