#pragma once

#include <string>

#include "config/locations.h"

namespace tidewell {

inline constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";
inline constexpr const char* kX11DisplayVariable = "DISPLAY";
inline constexpr const char* kWaylandDisplayVariable = "WAYLAND_DISPLAY";
inline constexpr const char* kRuntimeDirVariable = "XDG_RUNTIME_DIR";

// Whether the windowed program can open a display here. The toolkit aborts the process when
// it cannot, so the program asks first: a chosen platform (QT_QPA_PLATFORM) is trusted, an X
// display must accept a connection, a Wayland display must have its socket.
bool DisplayAvailable(const Environment& environment);

}  // namespace tidewell
