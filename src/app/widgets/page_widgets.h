#pragma once

#include <QString>
#include <cstdint>
#include <initializer_list>

#include "time/date_time.h"
#include "time/time_unit.h"

class QComboBox;
class QDateTime;
class QLabel;
class QTime;
class QWidget;

namespace tidewell {

// Small pieces the pages of the task sheets share: labels that carry the table's mnemonics,
// unit lists, and the conversions between the program's date-times and Qt's.

// A label with the text of a table row whose mnemonic moves the focus to `buddy`.
QLabel* BuddyLabel(int32_t id, QWidget* buddy, QWidget* parent, const char* objectName);
// A word-wrapping label of a table row.
QLabel* TextLabel(int32_t id, QWidget* parent, const char* objectName);

// A table text shown without its mnemonic, for a note that labels no control of its own.
QString WithoutMnemonic(int32_t id);

// A table text without its mnemonic ("&Path:" and "路径(&H):" become "Path" and "路径"), for
// captions and messages that name a control.
QString PlainCaption(int32_t id);

// Tab moves through the widgets in this order.
void ChainTabOrder(std::initializer_list<QWidget*> widgets);

// Fills a combo box with the unit names from `first` to `last` (codes as item data) and
// selects `selected`.
void FillUnits(QComboBox* combo, TimeUnit first, TimeUnit last, TimeUnit selected);
TimeUnit SelectedUnit(const QComboBox* combo);
// Selects the item whose data is `code`; the first item when none has it.
void SelectCode(QComboBox* combo, int code);
int SelectedCode(const QComboBox* combo);

// Local date-times as Qt shows them; a value that is not valid shows as the given fallback.
QDateTime ToQDateTime(const DateTime& value, const DateTime& fallback);
DateTime FromQDateTime(const QDateTime& value);
// The time of day of a list entry, and a list entry (on day 0) of a time of day.
QTime ToQTime(const DateTime& value);
DateTime TimeOfDayValue(const QTime& time);

// Display patterns of the date and time editors: the program's own formats, whatever the locale.
inline constexpr const char* kDateTimeEditFormat = "yyyy-MM-dd HH:mm:ss";
inline constexpr const char* kDateEditFormat = "yyyy-MM-dd";
inline constexpr const char* kTimeEditFormat = "HH:mm:ss";

}  // namespace tidewell
