#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/messages.h"

namespace tidewell {

inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) {
    return text.toUtf8().toStdString();
}

// Widgets break lines at a line feed; the table's texts carry CR LF.
inline QString DisplayText(std::string_view text) {
    return ToQString(text).replace(QStringLiteral("\r\n"), "\n");
}

// A message-table text ready for a widget.
inline QString MessageText(int32_t id, std::string_view p1 = {}, std::string_view p2 = {}) {
    return DisplayText(LoadMessage(id, p1, p2));
}

}  // namespace tidewell
