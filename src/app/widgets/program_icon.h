#pragma once

#include <QIcon>

namespace tidewell {

// The program's icon, drawn at the usual sizes: a tide wave over a clock face. The installed
// SVG icon shows the same picture.
QIcon ProgramIcon();

}  // namespace tidewell
