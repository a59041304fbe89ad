#include "model/task_enums.h"

#include <array>

namespace tidewell {
namespace {

constexpr std::array<std::string_view, 7> kOperationNames = {
    "StandBy", "Hibernate", "ShutDown", "Reboot", "LogOff", "SwitchUser", "ClockSynchronization"};

constexpr std::array<std::string_view, kScheduleTypeCount> kSectionNames = {
    "Daily", "Weekly", "Monthly", "Yearly", "Once or Several Times", "Count Down", "Repeating", "At Logon"};

}  // namespace

bool IsKnownScheduleType(ScheduleType type) {
    auto code = static_cast<int32_t>(type);
    return code >= 0 && code < kScheduleTypeCount;
}

std::string_view WindowsOperationName(WindowsOperation operation) {
    auto code = static_cast<size_t>(operation);
    return code < kOperationNames.size() ? kOperationNames[code] : std::string_view{};
}

std::optional<WindowsOperation> WindowsOperationFromName(std::string_view name) {
    for (size_t i = 0; i < kOperationNames.size(); ++i) {
        if (kOperationNames[i] == name) return static_cast<WindowsOperation>(i);
    }
    return std::nullopt;
}

std::string_view ScheduleSectionName(ScheduleType type) {
    return IsKnownScheduleType(type) ? kSectionNames[static_cast<size_t>(type)] : std::string_view{};
}

}  // namespace tidewell
