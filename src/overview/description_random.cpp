#include "overview/description.h"
#include "overview/fill_message.h"
#include "text/list_texts.h"
#include "text/messages.h"
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

std::string RandomizationSectionText(const TaskRecord& task, const NextRunContext& context) {
    if (!task.randomizationInfo.enable) return LoadMessage(IDS_TIDEWELL_SUMMARY_RP_NO_RP);
    // The valid period is worked out on a copy: describing changes nothing and draws nothing.
    TaskRecord probe = task;
    std::optional<ValidPeriodResult> period = ValidPeriod(probe, context);
    // The schedule leaves no room: the task runs without randomization.
    if (!period) return LoadMessage(IDS_TIDEWELL_SUMMARY_RP_NO_RP);
    const RandomizationInfo& random = task.randomizationInfo;
    std::string length = std::to_string(period->display.quantity) + " " + UnitName(period->display.unit);
    std::string when = LoadMessageLine(IDS_TIDEWELL_SUMMARY_RP_WHEN_TO_SET, random.decidedTime == 0 ? 0 : 1);
    std::string final =
        random.finalSet ? random.finalTime.Format(kStorageFormat) : LoadMessage(IDS_KLN_UNDECIDED);
    return FillMessage(IDS_TIDEWELL_SUMMARY_RP_RP, length, when, final);
}

}  // namespace tidewell
