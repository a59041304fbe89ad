#include "text/list_texts.h"
#include "text/messages.h"
#include "overview/description.h"
#include "overview/fill_message.h"
#include "timing/randomization.h"
#include "timing/unit_name.h"

namespace tidewell {
namespace {

// The final random time in the marker.
constexpr const char* kMarkerTimeFormat = "%m-%d-%Y %H:%M:%S";

}  // namespace

std::string WithRandomizationMarker(std::string text, const TaskRecord& task, const DateTime& now) {
    const RandomizationInfo& random = task.randomizationInfo;
    if (!random.enable) return text;
    if (random.finalSet && now < random.finalTime)
        return FillMessage(IDS_TIDEWELL_SUMMARY_RM_FINAL, random.finalTime.Format(kMarkerTimeFormat));
    return text + " " + LoadMessage(IDS_TIDEWELL_SUMMARY_RM_ADD_RM);
}

std::string RandomizationSectionText(TaskRecord& task, const NextRunContext& context) {
    RandomizationInfo& random = task.randomizationInfo;
    if (!random.enable) return LoadMessage(IDS_TIDEWELL_SUMMARY_RP_NO_RP);
    bool decideNow = random.decidedTime == 0;
    // A task without a next run has nothing to draw a final time from.
    std::optional<ValidPeriodResult> period =
        decideNow && task.scheduleInfo.haveNextRunTime
            ? Randomize(task, 0, static_cast<int32_t>(RandomizeMode::decide), context)
            : ValidPeriod(task, context);
    // The schedule left no room: randomization is off now.
    if (!period) return LoadMessage(IDS_TIDEWELL_SUMMARY_RP_NO_RP);
    std::string length = std::to_string(period->display.quantity) + " " + UnitName(period->display.unit);
    std::string when = LoadMessageLine(IDS_TIDEWELL_SUMMARY_RP_WHEN_TO_SET, decideNow ? 0 : 1);
    std::string final =
        random.finalSet ? random.finalTime.Format(kStorageFormat) : LoadMessage(IDS_KLN_UNDECIDED);
    return FillMessage(IDS_TIDEWELL_SUMMARY_RP_RP, length, when, final);
}

}  // namespace tidewell
