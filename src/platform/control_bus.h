#pragma once

namespace tidewell {

// The running program's session-bus interface (data/org.tidewell.Tidewell.xml), named once for
// the program that offers it and the tool that calls it.
inline constexpr const char* kControlBusName = "org.tidewell.Tidewell";
inline constexpr const char* kControlObjectPath = "/org/tidewell/Tidewell";
inline constexpr const char* kControlInterface = "org.tidewell.Tidewell";
inline constexpr const char* kControlErrorNoMatch = "org.tidewell.Tidewell.Error.NoMatch";
inline constexpr const char* kControlErrorAmbiguous = "org.tidewell.Tidewell.Error.Ambiguous";
inline constexpr const char* kControlErrorPassword = "org.tidewell.Tidewell.Error.Password";
inline constexpr const char* kControlErrorRefused = "org.tidewell.Tidewell.Error.Refused";

}  // namespace tidewell
