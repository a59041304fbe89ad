#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tidewell {

// The numeric values of these enumerations are stored in files and settings.
// Values outside the named ones can be read from a file and are kept as read
// until the rules replace them.

enum class TaskType : int32_t { program = 0, macro = 1, notice = 2, windowsOperation = 3 };

enum class WindowsOperation : int32_t {
    standBy = 0,
    hibernate = 1,
    shutDown = 2,
    reboot = 3,
    logOff = 4,
    switchUser = 5,
    clockSynchronization = 6,
};

enum class ScheduleType : int32_t {
    daily = 0,
    weekly = 1,
    monthly = 2,
    yearly = 3,
    once = 4,
    repeating = 5,
    countDown = 6,
    atLogon = 7,
    placeholder = 99,  // separator row of the displayed list
};

inline constexpr int kScheduleTypeCount = 8;
inline constexpr int32_t kPlaceholderStatus = 99;

bool IsKnownScheduleType(ScheduleType type);

// "StandBy" ... "ClockSynchronization"; empty for an unknown operation.
std::string_view WindowsOperationName(WindowsOperation operation);
std::optional<WindowsOperation> WindowsOperationFromName(std::string_view name);

// Section name of a schedule type in the schedule file. Repeating is stored as
// "Count Down" and Count Down as "Repeating": stored files rely on the pairing.
std::string_view ScheduleSectionName(ScheduleType type);

}  // namespace tidewell
