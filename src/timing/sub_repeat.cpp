#include "timing/sub_repeat.h"

#include <cstdarg>
#include <cstdio>

#include "time/time_unit.h"
#include "timing/unit_name.h"

namespace tidewell {
namespace {

// Diagnostics of the sub-repeat editor, in English only.
constexpr const char* kWrongFatherType = "Wrong Father Type";
constexpr const char* kWrongMaxDuration = "Wrong Max Duration";
constexpr const char* kLastingQuantityRange = "Lasting Quantity should be between 1 and %d";
constexpr const char* kLastingUnitRange = "Lasting Unit should be between 0 and 3";
constexpr const char* kRoundsRange = "Rounds should be between 1 and %d";
constexpr const char* kPeriodQuantityRange = "Period Quantity should be between 1 and %d";
constexpr const char* kPeriodUnitRange = "Period Unit should be between 0 and 3";
constexpr const char* kPeriodTooLong =
    "Period (%d %s = %s %s) is larger than maximum duration (%d %s = %s %s)";
constexpr const char* kShorterThanPeriod = "Duration (%d %s) is smaller than one period (%d %s)";
constexpr const char* kLastingTooLong =
    "Duration (%d %s = %s %s) is larger than maximum duration (%d %s = %s %s)";
constexpr const char* kRoundsOfSecondsTooLong = "Duration (%s %s) is larger than maximum duration (%s %s)";
constexpr const char* kRoundsTooLong =
    "Duration (%s %s = %s %s) is larger than maximum duration (%s %s = %s %s)";
constexpr const char* kSecondsName = "second(s)";

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    char buffer[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, sizeof buffer, format, arguments);
    va_end(arguments);
    return buffer;
}

bool InQuantityRange(int32_t quantity) {
    return quantity >= 1 && quantity <= kSubRepeatMaxQuantity;
}
bool InUnitRange(TimeUnit unit) {
    auto code = static_cast<int32_t>(unit);
    return code >= 0 && code <= 3;
}

Result Fail(std::string text) {
    return Result::Fail(ErrorKind::invalid, std::move(text));
}

// The message of a duration above the maximum.
std::string DurationTooLong(const RepeatSubSchedule& r, int64_t duration, int64_t max) {
    std::string durationText = FormatThousands(duration);
    std::string maxText = FormatThousands(max);
    if (r.lastingMode) {
        std::string unit = UnitName(r.lastingUnit);
        return Printf(kLastingTooLong, r.lastingQuantity, unit.c_str(), durationText.c_str(), kSecondsName,
                      static_cast<int>(max / UnitSeconds(r.lastingUnit)), unit.c_str(), maxText.c_str(),
                      kSecondsName);
    }
    std::string rounds = FormatThousands(int64_t{r.rounds} * r.periodQuantity);
    if (r.periodUnit == TimeUnit::seconds) {
        return Printf(kRoundsOfSecondsTooLong, rounds.c_str(), kSecondsName, maxText.c_str(), kSecondsName);
    }
    std::string unit = UnitName(r.periodUnit);
    std::string maxInUnit = FormatThousands(max / UnitSeconds(r.periodUnit));
    return Printf(kRoundsTooLong, rounds.c_str(), unit.c_str(), durationText.c_str(), kSecondsName,
                  maxInUnit.c_str(), unit.c_str(), maxText.c_str(), kSecondsName);
}

}  // namespace

int32_t MaxDuration(ScheduleType fatherType) {
    switch (fatherType) {
        case ScheduleType::daily:
        case ScheduleType::countDown:
        case ScheduleType::atLogon: return 86400;
        case ScheduleType::weekly: return 604800;
        case ScheduleType::monthly:
        case ScheduleType::once:
        case ScheduleType::repeating: return 2592000;
        case ScheduleType::yearly: return 31536000;
        case ScheduleType::placeholder: break;
    }
    return 0;
}

RepeatSubSchedule DefaultSubRepeat(ScheduleType fatherType) {
    RepeatSubSchedule record;
    record.fatherType = fatherType;
    record.maxDuration = MaxDuration(fatherType);
    return record;
}

Result CheckSubRepeat(const RepeatSubSchedule& r) {
    auto father = static_cast<int32_t>(r.fatherType);
    if (father < 0 || father > 7) return Fail(kWrongFatherType);
    int64_t max = MaxDuration(r.fatherType);
    if (r.maxDuration != max) return Fail(kWrongMaxDuration);
    int64_t duration = 0;
    if (r.lastingMode) {
        if (!InQuantityRange(r.lastingQuantity))
            return Fail(Printf(kLastingQuantityRange, kSubRepeatMaxQuantity));
        if (!InUnitRange(r.lastingUnit)) return Fail(kLastingUnitRange);
        duration = int64_t{r.lastingQuantity} * UnitSeconds(r.lastingUnit);
    } else if (!InQuantityRange(r.rounds)) {
        return Fail(Printf(kRoundsRange, kSubRepeatMaxQuantity));
    }
    if (!InQuantityRange(r.periodQuantity)) return Fail(Printf(kPeriodQuantityRange, kSubRepeatMaxQuantity));
    if (!InUnitRange(r.periodUnit)) return Fail(kPeriodUnitRange);

    int64_t period = int64_t{r.periodQuantity} * UnitSeconds(r.periodUnit);
    if (period > max) {
        std::string unit = UnitName(r.periodUnit);
        return Fail(Printf(kPeriodTooLong, r.periodQuantity, unit.c_str(), FormatThousands(period).c_str(),
                           kSecondsName, static_cast<int>(max / UnitSeconds(r.periodUnit)), unit.c_str(),
                           FormatThousands(max).c_str(), kSecondsName));
    }
    if (r.lastingMode && duration < period) {
        return Fail(Printf(kShorterThanPeriod, r.lastingQuantity, UnitName(r.lastingUnit).c_str(),
                           r.periodQuantity, UnitName(r.periodUnit).c_str()));
    }
    if (!r.lastingMode) duration = int64_t{r.rounds} * period;
    if (duration <= max) return Result::Ok();
    return Fail(DurationTooLong(r, duration, max));
}

}  // namespace tidewell
